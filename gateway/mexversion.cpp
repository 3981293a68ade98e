// mexVersion: the host interface version that a PowerPC bundle was built for.

extern "C" {

// The word that mexVersion reads; kept out of the exports.
__attribute__((visibility("hidden"))) const char* _version = "MATLAB R13 native";

const char* mexVersion(void)
{
    return _version;
}

}
