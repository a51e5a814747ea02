// The program's own application object beside the class library's Application: start-up, the message loop,
// the walks that load and save the per-user state file over every top-level module and form, the idle
// listeners through which modules refresh their commands, and the queue of deferred calls that run one per
// posted message to the main form.
//
// One instance, KelvoApplication, made by its unit (RegisterKelvoApplicationUnit) after the class library's
// application and freed before it. UI thread only.
#pragma once
#include "app/core/TKelvoDeferredCalls.h"
#include "app/core/TKelvoMethodList.h"
#include "classlib/win/TApplication.h"

class TKelvoApplication : public TComponent {
    CLASSLIB_COMPONENT(TKelvoApplication, TComponent)

    // Installs its idle handling as Application's OnIdle.
    explicit TKelvoApplication(TComponent* owner);
    ~TKelvoApplication() override;

    void Initialize();
    // Application's CreateForm (the first form becomes the main form); nothing while the run flag is clear.
    template <class T>
    void CreateForm(TClass cls, T*& ref) {
        if (runFlag_) Application->CreateForm(cls, ref);
    }
    // Creates a module owned by Application; ref holds it before its constructor runs and is null again when
    // the constructor raises (the error passes on).
    template <class T>
    void CreateModule(TClass cls, T*& ref) {
        CreateComponent<T>(cls, Application, ref);
    }
    TComponent* CreateModuleNoRef(TClass cls);

    // LoadState; Application's ShowHint := the run flag; with the run flag the message loop; then SaveState.
    void Run();
    bool RunFlag() const { return runFlag_; }
    void SetRunFlag(bool value) { runFlag_ = value; }

    void AddIdleListener(TKelvoMethod listener);
    void RemoveIdleListener(TKelvoMethod listener);
    bool HasIdleListener(TKelvoMethod listener) const { return idleListeners_.Contains(listener); }

    // Queues a call to run after the current message; dropped while there is no main form.
    void PostponedCall(TKelvoMethod call);
    // Runs the head of the queue: the main form's answer to the deferred-call message. An error of the call
    // passes on to the class library's report; the calls behind it still run.
    void RunPostponedCall();
    int PostponedCount() const { return deferred_.Count(); }

    // Application's components: the top-level modules and forms, in creation order.
    int GetComponentCount() const;
    TComponent* GetComponent(int index) const;

    // <appdata>\<program>\<program>.cfg, or the program's path with ".cfg" without an application data folder.
    WideString GetStateFileName() const;
    // The state-file walks (KelvoStateWalk.h). A missing, unreadable or damaged file costs the components
    // their saved settings and nothing else; a file that cannot be written is not written, and the old one
    // stays. A run whose components write nothing leaves an existing file untouched.
    void LoadState();
    void SaveState();

    int MessageBox(const WideString& text, const WideString& caption, unsigned flags);
    // With the application title as caption.
    int MessageBoxTitled(const WideString& text, unsigned flags);
    WideString GetTitle() const;
    // Then OnTitleChange (Sender = this object).
    void SetTitle(const WideString& title);

    // Before the idle listeners; Done false skips them for this pass.
    TIdleEvent OnIdle;
    TNotifyEvent OnTitleChange;

private:
    void ApplicationIdle(TObject* sender, bool& done);
    void PostDeferredCallMessage();
    // Hands the error being handled to the class library's report.
    void ReportError();

    bool runFlag_ = true;
    TKelvoMethodList idleListeners_;
    TKelvoDeferredCalls deferred_;
};

extern TKelvoApplication* KelvoApplication;

// The unit that makes KelvoApplication (after the class library's application) and frees it.
inline constexpr int KelvoApplicationUnitOrder = 200;
void RegisterKelvoApplicationUnit();
