#include "core/PrivateProfile.h"

// Without the platform's functions the portable implementation is the system's.
IPrivateProfile& SystemProfile() {
    static TPortableProfile profile;
    return profile;
}
