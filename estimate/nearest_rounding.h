// Internal to the library: not part of its public headers.
#pragma once

#include <cfenv>

namespace estimate::detail {

// Sets round-to-nearest for the lifetime of the object and puts the caller's
// rounding direction back afterwards. The program runs in round-to-nearest,
// but a library must not depend on that: std::from_chars and plain double
// arithmetic both follow the current direction.
class NearestRounding {
public:
    NearestRounding() : saved_(std::fegetround()) {
        if (saved_ != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    }
    ~NearestRounding() {
        if (saved_ != FE_TONEAREST && saved_ >= 0) std::fesetround(saved_);
    }
    NearestRounding(const NearestRounding&) = delete;
    NearestRounding& operator=(const NearestRounding&) = delete;

private:
    int saved_;
};

} // namespace estimate::detail
