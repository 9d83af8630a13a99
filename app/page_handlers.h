// Click handlers of the three estimating pages: read the controls, call the
// estimate library, write the controls.
#pragma once

#include "window.h"

namespace quorvex {

void compute_file_size(Window window);
void reset_file_size_page(Window window);

void compute_bitrate(Window window);
void reset_bitrate_page(Window window);

void compute_uncompressed_size(Window window);
void reset_uncompressed_page(Window window);

} // namespace quorvex
