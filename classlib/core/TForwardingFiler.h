// A filer that passes every entry on to another one, with that filer's root and ancestor: the base of the
// filters a persistent object puts between its DefineProperties and the real filer, to change how one of
// its entries is read or written. A filter overrides the Define* call of the entries it changes and passes
// those on through Inner().
//
//     class TNoBitmapFilter : public TForwardingFiler {
//         using TForwardingFiler::TForwardingFiler;
//         void DefineBinaryProperty(const AnsiString& name, const TStreamProc& read, const TStreamProc& write,
//                                   bool hasData) override {
//             Inner().DefineBinaryProperty(name, read, write, hasData && !SameTextAscii(name, "Bitmap"));
//         }
//     };
#pragma once
#include "classlib/core/TFiler.h"

class TForwardingFiler : public TFiler {
    CLASSLIB_CLASS(TForwardingFiler, TFiler)
public:
    explicit TForwardingFiler(TFiler& inner) : TFiler(inner.Stream()), inner_(inner) {
        root_ = inner.Root();
        lookupRoot_ = inner.LookupRoot();
        SetAncestor(inner.Ancestor());
        SetIgnoreChildren(inner.IgnoreChildren());
    }
    void DefineProperty(const AnsiString& name, const TReaderProc& read, const TWriterProc& write,
                        bool hasData) override {
        inner_.DefineProperty(name, read, write, hasData);
    }
    void DefineBinaryProperty(const AnsiString& name, const TStreamProc& read, const TStreamProc& write,
                              bool hasData) override {
        inner_.DefineBinaryProperty(name, read, write, hasData);
    }

protected:
    TFiler& Inner() const { return inner_; }

private:
    TFiler& inner_;
};
