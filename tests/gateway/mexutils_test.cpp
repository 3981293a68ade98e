// The argument checks through the stand-in host: what each accepts, its message with the
// names cut to 15 and 25 characters, and the queries it makes before it decides.
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "gateway/mexutils.hpp"
#include "tests/support/hostcall.hpp"

namespace {

// The names that the test entries hand to the checks.
const char* g_function = "";
const char* g_argument = "";

void callmatrix(int, mxArray*[], int, const mxArray* prhs[]) { checkmatrix(prhs[0], g_function, g_argument); }
void callscalar(int, mxArray*[], int, const mxArray* prhs[]) { checkscalar(prhs[0], g_function, g_argument); }
void callsparse(int, mxArray*[], int, const mxArray* prhs[]) { checksparse(prhs[0], g_function, g_argument); }
#if !defined(MIXFILT_CHECKS_CALLED)
void callvector(int, mxArray*[], int, const mxArray* prhs[]) { checkvector(prhs[0], g_function, g_argument); }
void callcell(int, mxArray*[], int, const mxArray* prhs[]) { checkcell_1d(prhs[0], g_function, g_argument); }
#endif

// One check and the tail of its message after the argument name.
struct check {
    const char* name;
    mexentry entry;
    const char* tail;
};

const check checks[] = {
    {"checkmatrix", callmatrix, " be a double matrix."},
    {"checkscalar", callscalar, " be a double scalar."},
    {"checksparse", callsparse, " be sparse."},
#if !defined(MIXFILT_CHECKS_CALLED)
    {"checkvector", callvector, " be a double vector."},
    {"checkcell_1d", callcell, " be a 1-D cell array."},
#endif
};

class Mexutils : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_function = "CALLER";
        g_argument = "ARG";
    }
    void TearDown() override { releaseall(); }
};

TEST_F(Mexutils, NamesAreCutToFifteenAndTwentyFiveCharacters)
{
    struct namecase {
        const char* function;
        const char* argument;
        const char* head;       // the message up to the check's own tail
    };
    const namecase cases[] = {
        {"GETCSCSLICE", "J", "GETCSCSLICE requires that J"},
        // exactly 15 and 25 characters: whole
        {"FIFTEENCHARSXYZ", "twenty_five_characters_ab", "FIFTEENCHARSXYZ requires that twenty_five_characters_ab"},
        // 20 and 30 characters: the first 15 and 25
        {"TWENTYCHARACTERSLONG", "thirty_characters_in_this_name",
         "TWENTYCHARACTER requires that thirty_characters_in_this"},
        {"FIFTEENCHARSXYZ", "thirty_characters_in_this_name", "FIFTEENCHARSXYZ requires that thirty_characters_in_this"},
        {"TWENTYCHARACTERSLONG", "twenty_five_characters_ab",
         "TWENTYCHARACTER requires that twenty_five_characters_ab"},
        {"TWENTYFIVECHARACTERSNAMED", "A", "TWENTYFIVECHARA requires that A"},
        // empty names leave their places empty, nothing padded
        {"", "", " requires that "},
        {"", "X", " requires that X"},
        {"F", "", "F requires that "},
    };
    // A char array fails every check at its first query.
    for (const check& k : checks)
        for (const namecase& c : cases) {
            g_function = c.function;
            g_argument = c.argument;
            hostresult r = hostcall(k.entry, 0, {classarray(mxhost_char, {1, 3})});
            EXPECT_TRUE(r.failed) << k.name << " " << c.function << " / " << c.argument;
            EXPECT_EQ(r.message, std::string(c.head) + k.tail) << k.name << " " << c.function << " / " << c.argument;
            EXPECT_EQ(r.messages, 1) << k.name;
        }
}

#if !defined(MIXFILT_CHECKS_CALLED)
TEST_F(Mexutils, TheLongestMessageIsNotCutByTheBuffer)
{
    // 76 characters: checkcell_1d's form with both names at their longest.
    g_function = "A_FUNCTION_NAME_OF_40_CHARACTERS_XXXXXXX";
    g_argument = "an_argument_name_of_40_characters_xxxxxx";
    hostresult longest = hostcall(callcell, 0, {dmatrix(1, 4)});
    EXPECT_EQ(longest.message, "A_FUNCTION_NAME requires that an_argument_name_of_40_ch be a 1-D cell array.");
    EXPECT_EQ(longest.message.size(), 76u);
}
#endif

struct shapecase {
    const char* label;
    mexentry entry;
    mxArray* (*make)();
    bool passes;
};

TEST_F(Mexutils, EachCheckPassesAndFailsTheShapesOfItsList)
{
    const shapecase cases[] = {
        {"matrix: 0 x 0 double", callmatrix, [] { return dmatrix(0, 0); }, true},
        {"matrix: 5 x 3 double", callmatrix, [] { return dmatrix(5, 3); }, true},
        {"matrix: sparse double", callmatrix, [] { return sparsematrix(3, 2, {{1, 0, 4.0}}); }, true},
        {"matrix: 0 x 7 double", callmatrix, [] { return dmatrix(0, 7); }, true},
        {"matrix: complex double", callmatrix, [] { return complexmatrix(2, 2); }, false},
        {"matrix: single", callmatrix, [] { return classarray(mxhost_single, {2, 2}); }, false},
        {"matrix: int32", callmatrix, [] { return classarray(mxhost_int32, {2, 2}); }, false},
        {"matrix: uint8", callmatrix, [] { return classarray(mxhost_uint8, {2, 2}); }, false},
        {"matrix: logical", callmatrix, [] { return classarray(mxhost_logical, {2, 2}); }, false},
        {"matrix: char", callmatrix, [] { return classarray(mxhost_char, {1, 4}); }, false},
        {"matrix: 2 x 2 x 2 double", callmatrix, [] { return darray({2, 2, 2}); }, false},
        {"matrix: sparse logical", callmatrix,
         [] { return sparsematrix(2, 2, {{0, 0, 1.0}}, mxhost_logical); }, false},
        {"matrix: complex sparse", callmatrix,
         [] { return sparsematrix(2, 2, {{0, 0, 1.0}}, mxhost_double, true); }, false},

        {"scalar: 1 x 1 double", callscalar, [] { return dscalar(3); }, true},
        {"scalar: 1 x 1 sparse double", callscalar, [] { return sparsematrix(1, 1, {{0, 0, 3.0}}); }, true},
        {"scalar: 1 x 0 double", callscalar, [] { return dmatrix(1, 0); }, false},
        {"scalar: 0 x 1 double", callscalar, [] { return dmatrix(0, 1); }, false},
        {"scalar: 1 x 2 double", callscalar, [] { return drow({1, 2}); }, false},
        {"scalar: 2 x 1 double", callscalar, [] { return dcol({1, 2}); }, false},
        {"scalar: 1 x 1 x 2 double", callscalar, [] { return darray({1, 1, 2}); }, false},
        {"scalar: complex 1 x 1", callscalar, [] { return complexmatrix(1, 1); }, false},
        {"scalar: int32 1 x 1", callscalar, [] { return classarray(mxhost_int32, {1, 1}); }, false},
        {"scalar: uint64 1 x 1", callscalar, [] { return classarray(mxhost_uint64, {1, 1}); }, false},
        {"scalar: char 1 x 1", callscalar, [] { return classarray(mxhost_char, {1, 1}); }, false},

        {"sparse: sparse logical", callsparse, [] { return sparsematrix(2, 2, {{0, 0, 1.0}}, mxhost_logical); }, true},
        {"sparse: sparse double", callsparse, [] { return sparsematrix(2, 2, {{0, 1, 1.0}}); }, true},
        {"sparse: empty sparse double", callsparse, [] { return sparsematrix(0, 0, {}); }, true},
        {"sparse: complex sparse", callsparse,
         [] { return sparsematrix(2, 2, {{0, 0, 1.0}}, mxhost_double, true); }, true},
        {"sparse: full double", callsparse, [] { return dmatrix(2, 2); }, false},
        {"sparse: full 1 x 1 double", callsparse, [] { return dscalar(0); }, false},
        {"sparse: full logical", callsparse, [] { return classarray(mxhost_logical, {2, 2}); }, false},
        {"sparse: full char", callsparse, [] { return classarray(mxhost_char, {1, 2}); }, false},
        {"sparse: cell", callsparse, [] { return classarray(mxhost_cell, {1, 2}); }, false},

#if !defined(MIXFILT_CHECKS_CALLED)
        {"vector: 1 x 5 double", callvector, [] { return dmatrix(1, 5); }, true},
        {"vector: 5 x 1 double", callvector, [] { return dmatrix(5, 1); }, true},
        {"vector: 1 x 1 double", callvector, [] { return dscalar(1); }, true},
        {"vector: 1 x 0 double", callvector, [] { return dmatrix(1, 0); }, true},
        {"vector: 0 x 1 double", callvector, [] { return dmatrix(0, 1); }, true},
        {"vector: sparse 1 x 3 double", callvector, [] { return sparsematrix(1, 3, {}); }, true},
        {"vector: 0 x 0 double", callvector, [] { return dmatrix(0, 0); }, false},
        {"vector: 0 x 3 double", callvector, [] { return dmatrix(0, 3); }, false},
        {"vector: 2 x 3 double", callvector, [] { return dmatrix(2, 3); }, false},
        {"vector: 1 x 1 x 3 double", callvector, [] { return darray({1, 1, 3}); }, false},
        {"vector: complex 1 x 3", callvector, [] { return complexmatrix(1, 3); }, false},
        {"vector: single 1 x 3", callvector, [] { return classarray(mxhost_single, {1, 3}); }, false},

        {"cell: 1 x 4 cell", callcell, [] { return classarray(mxhost_cell, {1, 4}); }, true},
        {"cell: 4 x 1 cell", callcell, [] { return classarray(mxhost_cell, {4, 1}); }, true},
        {"cell: 1 x 1 cell", callcell, [] { return classarray(mxhost_cell, {1, 1}); }, true},
        {"cell: 1 x 0 cell", callcell, [] { return classarray(mxhost_cell, {1, 0}); }, true},
        {"cell: 0 x 1 cell", callcell, [] { return classarray(mxhost_cell, {0, 1}); }, true},
        {"cell: 0 x 0 cell", callcell, [] { return classarray(mxhost_cell, {0, 0}); }, false},
        {"cell: 2 x 2 cell", callcell, [] { return classarray(mxhost_cell, {2, 2}); }, false},
        {"cell: 1 x 2 x 3 cell", callcell, [] { return classarray(mxhost_cell, {1, 2, 3}); }, false},
        {"cell: 1 x 4 double", callcell, [] { return dmatrix(1, 4); }, false},
#endif
    };
    for (const shapecase& c : cases) {
        std::string tail;
        for (const check& k : checks)
            if (k.entry == c.entry)
                tail = k.tail;
        hostresult r = hostcall(c.entry, 0, {c.make()});
        EXPECT_EQ(r.failed, !c.passes) << c.label << ": " << r.message;
        EXPECT_EQ(r.message, c.passes ? "" : "CALLER requires that ARG" + tail) << c.label;
        EXPECT_EQ(r.messages, c.passes ? 0 : 1) << c.label;
        EXPECT_EQ(r.printed, "") << c.label;
        EXPECT_EQ(r.faults, "") << c.label;
        if (c.passes) {
            ASSERT_FALSE(r.trace.empty()) << c.label;
            EXPECT_NE(r.trace.back(), "mexErrMsgTxt") << c.label;
        }
        releaseall();
    }
}

struct ordercase {
    const char* label;
    mexentry entry;
    mxArray* (*make)();
    std::vector<std::string> trace;
};

TEST_F(Mexutils, QueriesStopAtTheFirstThatDecides)
{
    const std::vector<std::string> head = {"mxIsDouble X", "mxIsComplex X", "mxGetNumberOfDimensions X"};
    auto then = [&head](std::vector<std::string> rest) {
        std::vector<std::string> all = head;
        all.insert(all.end(), rest.begin(), rest.end());
        return all;
    };
    const ordercase cases[] = {
        {"scalar: 2 x 1 stops at the row count", callscalar, [] { return dcol({1, 2}); },
         then({"mxGetM X", "mexErrMsgTxt"})},
        {"scalar: 1 x 2 asks the column count", callscalar, [] { return drow({1, 2}); },
         then({"mxGetM X", "mxGetN X", "mexErrMsgTxt"})},
        {"scalar: 1 x 1 passes after both counts", callscalar, [] { return dscalar(1); },
         then({"mxGetM X", "mxGetN X"})},
        {"scalar: a single is not asked whether it is complex", callscalar,
         [] { return classarray(mxhost_single, {1, 1}); }, {"mxIsDouble X", "mexErrMsgTxt"}},
        {"scalar: complex stops before the dimensions", callscalar, [] { return complexmatrix(1, 1); },
         {"mxIsDouble X", "mxIsComplex X", "mexErrMsgTxt"}},
        {"scalar: 3-D stops at the dimensions", callscalar, [] { return darray({1, 1, 2}); },
         then({"mexErrMsgTxt"})},
        {"matrix: sparse double passes without asking for the storage", callmatrix,
         [] { return sparsematrix(2, 2, {{0, 0, 1.0}}); }, head},
        {"matrix: logical", callmatrix, [] { return classarray(mxhost_logical, {2, 2}); },
         {"mxIsDouble X", "mexErrMsgTxt"}},
        {"matrix: 3-D", callmatrix, [] { return darray({2, 2, 2}); }, then({"mexErrMsgTxt"})},
        {"sparse: one query", callsparse, [] { return dmatrix(2, 2); }, {"mxIsSparse X", "mexErrMsgTxt"}},
        {"sparse: one query when it passes", callsparse, [] { return sparsematrix(2, 2, {}); }, {"mxIsSparse X"}},
#if !defined(MIXFILT_CHECKS_CALLED)
        {"vector: one row is enough", callvector, [] { return dmatrix(1, 0); }, then({"mxGetM X"})},
        {"vector: one column after the row count", callvector, [] { return dmatrix(0, 1); },
         then({"mxGetM X", "mxGetN X"})},
        {"vector: 0 x 0", callvector, [] { return dmatrix(0, 0); }, then({"mxGetM X", "mxGetN X", "mexErrMsgTxt"})},
        {"vector: int8", callvector, [] { return classarray(mxhost_int8, {1, 3}); },
         {"mxIsDouble X", "mexErrMsgTxt"}},
        {"cell: a double is only asked whether it is a cell", callcell, [] { return dmatrix(1, 4); },
         {"mxIsCell X", "mexErrMsgTxt"}},
        {"cell: 3-D", callcell, [] { return classarray(mxhost_cell, {1, 2, 3}); },
         {"mxIsCell X", "mxGetNumberOfDimensions X", "mexErrMsgTxt"}},
        {"cell: 1 x 4", callcell, [] { return classarray(mxhost_cell, {1, 4}); },
         {"mxIsCell X", "mxGetNumberOfDimensions X", "mxGetM X"}},
        {"cell: 4 x 1", callcell, [] { return classarray(mxhost_cell, {4, 1}); },
         {"mxIsCell X", "mxGetNumberOfDimensions X", "mxGetM X", "mxGetN X"}},
        {"cell: 2 x 2", callcell, [] { return classarray(mxhost_cell, {2, 2}); },
         {"mxIsCell X", "mxGetNumberOfDimensions X", "mxGetM X", "mxGetN X", "mexErrMsgTxt"}},
#endif
    };
    for (const ordercase& c : cases) {
        hostresult r = hostcall(c.entry, 0, {named(c.make(), "X")});
        EXPECT_EQ(r.trace, c.trace) << c.label;
        releaseall();
    }
}

}  // namespace
