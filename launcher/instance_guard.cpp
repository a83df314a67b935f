#include "launcher/instance_guard.h"

#include <aclapi.h>

#include "support/win/scoped_handle.h"

namespace {

// A security descriptor whose DACL grants GENERIC_ALL to Everyone, so a copy started
// by another user (or elevated) still finds the same mutex. Owns its SID and ACL.
class EveryoneSecurity {
public:
    EveryoneSecurity() {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &sid_)) return;
        EXPLICIT_ACCESSW ea{};
        ea.grfAccessPermissions = GENERIC_ALL;
        ea.grfAccessMode = SET_ACCESS;
        ea.grfInheritance = NO_INHERITANCE;
        ea.Trustee.TrusteeForm = TRUSTEE_IS_SID;
        ea.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        ea.Trustee.ptstrName = static_cast<LPWSTR>(sid_);
        if (SetEntriesInAclW(1, &ea, nullptr, &acl_) != ERROR_SUCCESS) return;
        if (!InitializeSecurityDescriptor(&sd_, SECURITY_DESCRIPTOR_REVISION)) return;
        if (!SetSecurityDescriptorDacl(&sd_, TRUE, acl_, FALSE)) return;
        sa_.nLength = sizeof(sa_);
        sa_.lpSecurityDescriptor = &sd_;
        sa_.bInheritHandle = FALSE;
        ok_ = true;
    }
    ~EveryoneSecurity() {
        if (acl_) LocalFree(acl_);
        if (sid_) FreeSid(sid_);
    }
    EveryoneSecurity(const EveryoneSecurity&) = delete;
    EveryoneSecurity& operator=(const EveryoneSecurity&) = delete;

    // Null (default security) when the descriptor could not be built.
    SECURITY_ATTRIBUTES* Attributes() { return ok_ ? &sa_ : nullptr; }

private:
    PSID sid_ = nullptr;
    PACL acl_ = nullptr;
    SECURITY_DESCRIPTOR sd_{};
    SECURITY_ATTRIBUTES sa_{};
    bool ok_ = false;
};

}  // namespace

InstanceGuard::InstanceGuard(const wchar_t* name) {
    EveryoneSecurity security;
    mutex_ = CreateMutexW(security.Attributes(), TRUE, name);
    alreadyRunning_ = GetLastError() == ERROR_ALREADY_EXISTS;
}

void InstanceGuard::Release() {
    if (!mutex_) return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
    mutex_ = nullptr;
}
