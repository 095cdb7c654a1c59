#include "apps/demo/demo_app.h"

#include <cstdio>

#include "apps/demo/classic_demo.h"
#include "apps/demo/demo_session.h"
#include "apps/demo/office_demo.h"

namespace brackwell::demo {
namespace {

// Opens COM for the thread and closes it again after everything COM made is gone.
class OleSession {
public:
    OleSession() : ok_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_) ::OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

}  // namespace

int RunDemo(HINSTANCE instance, const DemoOptions& options) {
    OleSession ole;
    if (!ole.Ok()) {
        std::fputs("OleInitialize failed.\n", stderr);
        return 1;
    }
    DemoSession session(instance, options);
    if (options.generation == ExcelGeneration::Excel2003) return RunClassicDemo(session);
    OfficeDemo demo(session);
    return demo.Run();
}

}  // namespace brackwell::demo
