// The non-default rounding directions the tests run under, with readable names.
#pragma once

#include <gtest/gtest.h>

#include <cfenv>
#include <string>

inline const auto other_rounding_modes = ::testing::Values(FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO);

inline std::string rounding_mode_name(const ::testing::TestParamInfo<int>& info) {
    switch (info.param) {
    case FE_UPWARD: return "Upward";
    case FE_DOWNWARD: return "Downward";
    default: return "TowardZero";
    }
}
