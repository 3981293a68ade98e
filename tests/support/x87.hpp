// The x87 control word, for tests that run the extended flavour under a 53-bit host setting.
#ifndef MIXFILT_TESTS_X87_HPP
#define MIXFILT_TESTS_X87_HPP

#if defined(__i386__) || defined(__x86_64__)
#define MIXFILT_HAVE_X87 1
inline unsigned short x87_getcw()
{
    unsigned short cw;
    __asm__ __volatile__("fnstcw %0" : "=m"(cw) : : "memory");
    return cw;
}
inline void x87_setcw(unsigned short cw)
{
    __asm__ __volatile__("fldcw %0" : : "m"(cw) : "memory");
}
// The precision control of a Windows thread: 53-bit significands.
inline unsigned short x87_windows_cw() { return 0x027f; }
#endif

#endif
