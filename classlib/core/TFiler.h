// The common base of the property-stream reader and writer. A persistent object's DefineProperties
// names the entries it keeps beside its published properties; the filer then reads or writes them.
#pragma once
#include <functional>

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/Stream.h"
#include "classlib/core/TObject.h"
#include "classlib/core/ValueTypes.h"

class TReader;
class TWriter;
class TComponent;
class TPersistent;

// Entry handlers: a value entry reads or writes through the filer, a binary entry through a stream
// holding exactly the entry's bytes.
using TReaderProc = std::function<void(TReader& reader)>;
using TWriterProc = std::function<void(TWriter& writer)>;
using TStreamProc = std::function<void(TStream& stream)>;

class TFiler : public TObject {
    CLASSLIB_CLASS(TFiler, TObject)
public:
    explicit TFiler(TStream& stream) : stream_(stream) {}

    // name: the entry; read and write: its handlers (either may be empty); hasData: whether the
    // writer writes it at all.
    virtual void DefineProperty(const AnsiString& name, const TReaderProc& read, const TWriterProc& write,
                                bool hasData) = 0;
    virtual void DefineBinaryProperty(const AnsiString& name, const TStreamProc& read, const TStreamProc& write,
                                      bool hasData) = 0;

    // The component whose stream this is, the one whose owned components names resolve against, and
    // the ancestor being compared with when writing (nullptr: none).
    TComponent* Root() const { return root_; }
    virtual void SetRoot(TComponent* root) { root_ = root; }
    TComponent* LookupRoot() const { return lookupRoot_; }
    TPersistent* Ancestor() const { return ancestor_; }
    void SetAncestor(TPersistent* ancestor) { ancestor_ = ancestor; }
    bool IgnoreChildren() const { return ignoreChildren_; }
    void SetIgnoreChildren(bool value) { ignoreChildren_ = value; }

    TStream& Stream() const { return stream_; }

protected:
    // One more level of nesting (lists, collections, component trees, dotted paths, owned objects) for the
    // lifetime of the returned guard. Deeper input is malformed (or a cycle of owned objects), and following it
    // would only exhaust the stack: past kMaxDepth levels this raises E(message).
    template <class E>
    [[nodiscard]] auto EnterLevel(const char* message) {
        if (depth_ >= kMaxDepth) throw E(message);
        ++depth_;
        return TScopeExit([this] { --depth_; });
    }
    static constexpr int kMaxDepth = 200;

    TStream& stream_;
    TComponent* root_ = nullptr;
    TComponent* lookupRoot_ = nullptr;
    TPersistent* ancestor_ = nullptr;
    bool ignoreChildren_ = false;
    int depth_ = 0;
};
