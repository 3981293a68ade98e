// Stand-in libmex: the error exit, printing, and the wrapper through which a test calls a module.
#include <csetjmp>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "mxarray.hpp"

namespace {

std::jmp_buf* g_exit = nullptr;     // set while a module runs
std::string g_message;
int g_messages = 0;
std::string g_printed;

const int guardslots = 4;
mxArray* const guardvalue = reinterpret_cast<mxArray*>(static_cast<uintptr_t>(0x5107));

#if defined(__i386__)
// A Windows thread runs the x87 unit at 53-bit precision; so does this host's caller.
unsigned short getcw()
{
    unsigned short cw;
    __asm__ __volatile__("fnstcw %0" : "=m"(cw) : : "memory");
    return cw;
}
void setcw(unsigned short cw) { __asm__ __volatile__("fldcw %0" : : "m"(cw) : "memory"); }
#endif

}  // namespace

extern "C" {

HOSTAPI
#if defined(__GNUC__)
__attribute__((noreturn))
#endif
void mexErrMsgTxt(const char* message)
{
    mxhost_tracef("mexErrMsgTxt");
    ++g_messages;
    g_message = message ? message : "";
    if (!g_exit) {
        std::fprintf(stderr, "mexErrMsgTxt outside a call: %s\n", g_message.c_str());
        std::abort();
    }
    std::longjmp(*g_exit, 1);
}

HOSTAPI int mexPrintf(const char* format, ...)
{
    mxhost_tracef("mexPrintf");
    char text[1024];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    g_printed += text;
    return length;
}

HOSTAPI int mexhost_call(mexentry entry, int nlhs, int nrhs, const mxArray** prhs, mxArray** out)
{
    const volatile int nslots = nlhs > 1 ? nlhs : 1;
    // The module gets exactly nslots slots; the guard words after them show a write past them.
    mxArray** volatile slots = static_cast<mxArray**>(std::calloc(nslots + guardslots, sizeof(mxArray*)));
    for (int k = 0; k < guardslots; ++k)
        slots[nslots + k] = guardvalue;
    std::vector<uint64_t> sums;
    for (int k = 0; k < nrhs; ++k)
        sums.push_back(mxhost_checksum(prhs[k]));
    g_message.clear();
    g_messages = 0;
    g_printed.clear();
    mxhost_begin_call();
#if defined(__i386__)
    unsigned short callercw = 0x027f;
    setcw(callercw);
#endif
    std::jmp_buf exit;
    volatile int failed = 0;
    g_exit = &exit;
    if (setjmp(exit) == 0)
        entry(nlhs, slots, nrhs, const_cast<const mxArray**>(prhs));
    else
        failed = 1;
    g_exit = nullptr;
#if defined(__i386__)
    if (getcw() != callercw)
        mxhost_fault("the x87 control word was not restored");
    setcw(0x037f);
#endif
    for (int k = 0; k < guardslots; ++k)
        if (slots[nslots + k] != guardvalue)
            mxhost_fault("an output slot past those provided was written");
    for (int k = 0; k < nrhs; ++k)
        if (mxhost_checksum(prhs[k]) != sums[static_cast<size_t>(k)])
            mxhost_fault("an input was changed");
    mxhost_end_call(failed, slots, nslots);
    for (int k = 0; k < nslots; ++k)
        out[k] = slots[k];
    std::free(slots);
    return failed;
}

HOSTAPI const char* mexhost_message(void) { return g_message.c_str(); }
HOSTAPI int mexhost_messages(void) { return g_messages; }
HOSTAPI const char* mexhost_printed(void) { return g_printed.c_str(); }

}  // extern "C"
