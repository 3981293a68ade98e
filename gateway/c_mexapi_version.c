/* mexfilerequiredapiversion: the host interface version that this module requires. */
#include <stdint.h>

void mexfilerequiredapiversion(uint32_t* built_by_release, uint32_t* target_api_version)
{
    *built_by_release = 131467;             /* 0x0002018B */
    *target_api_version = 0x07300000;
}
