// Checks that the three filtering entries share: which inputs they refuse, and with what.
#ifndef MIXFILT_TESTS_FILTERENTRY_HPP
#define MIXFILT_TESTS_FILTERENTRY_HPP

#include <functional>
#include <limits>
#include <string>
#include <gtest/gtest.h>
#include "tests/support/hostcall.hpp"

// Every input that a filtering entry cannot read is refused with one message naming it,
// and the call leaves nothing behind. name is the module's name in upper case.
inline void expect_unreadable_inputs_refused(mexentry entry, const std::string& name)
{
    using v = std::vector<mxArray*>;
    const std::string three = name + " requires three inputs: X, H and L.";
    const std::string badx = name + " requires that X be a full double matrix.";
    const std::string badh = name + " requires that H be a full double matrix.";
    const std::string badl = name + " requires that L be a full double array of at least four elements.";
    const std::string steps = name + " requires that the steps in L be finite and within the 32-bit integer range.";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct { const char* label; std::function<v()> inputs; std::string message; } cases[] = {
        {"no inputs", [] { return v{}; }, three},
        {"two inputs", [] { return v{dmatrix(2, 2), dmatrix(1, 1)}; }, three},
        {"single X", [] { return v{classarray(mxhost_single, {2, 2}), dmatrix(1, 1), drow({1, 0, 0, 1})}; }, badx},
        {"sparse X", [] { return v{sparsematrix(2, 2, {}), dmatrix(1, 1), drow({1, 0, 0, 1})}; }, badx},
        {"char H", [] { return v{dmatrix(2, 2), classarray(mxhost_char, {1, 1}), drow({1, 0, 0, 1})}; }, badh},
        {"sparse H", [] { return v{dmatrix(2, 2), sparsematrix(1, 1, {{0, 0, 2.0}}), drow({1, 0, 0, 1})}; }, badh},
        {"L of three elements", [] { return v{dmatrix(2, 2), dmatrix(1, 1), drow({1, 0, 1})}; }, badl},
        {"L a 1 x 1 value", [] { return v{dmatrix(2, 2), dmatrix(1, 1), dscalar(2)}; }, badl},
        {"int32 L", [] { return v{dmatrix(2, 2), dmatrix(1, 1), classarray(mxhost_int32, {2, 2})}; }, badl},
        {"sparse L", [] { return v{dmatrix(2, 2), dmatrix(1, 1), sparsematrix(2, 2, {{0, 0, 1.0}, {1, 1, 1.0}})}; }, badl},
        {"NaN step", [nan] { return v{dmatrix(2, 2), dmatrix(1, 1), drow({nan, 0, 0, 1})}; }, steps},
        {"step 2^31", [] { return v{dmatrix(2, 2), dmatrix(1, 1), drow({1, 0, 0, 2147483648.0})}; }, steps},
        {"step -1e300", [] { return v{dmatrix(2, 2), dmatrix(1, 1), drow({-1e300, 0, 0, 1})}; }, steps},
    };
    for (const auto& c : cases) {
        hostresult r = hostcall(entry, 1, c.inputs());
        EXPECT_TRUE(r.failed) << c.label;
        EXPECT_EQ(r.message, c.message) << c.label;
        EXPECT_EQ(r.messages, 1) << c.label;
        EXPECT_EQ(r.faults, "") << c.label;
        EXPECT_EQ(r.printed, "") << c.label;
        releaseall();
    }
}

// The host operations of a successful call with X, H and L named so, after the entry's
// own input checks.
inline std::vector<std::string> filter_trace(const std::string& create)
{
    return {"mxIsDouble X", "mxIsSparse X", "mxIsDouble H", "mxIsSparse H", "mxIsDouble L", "mxIsSparse L",
            "mxGetM L", "mxGetN L", "mxGetM X", "mxGetN X", "mxGetM H", "mxGetN H",
            "mxGetPr H", "mxGetPr X", "mxGetPr L", create, "mxGetPr new1"};
}

#endif
