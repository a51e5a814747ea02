// The undo step of a quarter turn or a mirror: only the operation's code. Undo runs the inverse operation
// (a turn the other way, a mirror again), redo the operation itself, on both bitmaps of the document.
#pragma once
#include <cstdint>
#include <functional>

#include "app/core/TKelvoGraphicsCommandState.h"
#include "tools/core/Orientation.h"

// Runs the operation of code on anything with the four operations (a document, a bitmap); false for an unknown
// code or when the target could not be changed.
template <class T>
bool RunRotateOp(T& target, std::uint8_t op) {
    switch (op) {
        case RotateOpLeft: return target.RotateLeft();
        case RotateOpRight: return target.RotateRight();
        case RotateOpFlipHorizontal: return target.FlipHorizontal();
        case RotateOpFlipVertical: return target.FlipVertical();
        default: return false;
    }
}

// The word of the operation in the demonstration names ("RotationLeft", "RotationLeftOption"); empty for an
// unknown code.
inline const char* RotateOpName(std::uint8_t op) {
    switch (op) {
        case RotateOpLeft: return "Left";
        case RotateOpRight: return "Right";
        case RotateOpFlipHorizontal: return "Horizontal";
        case RotateOpFlipVertical: return "Vertical";
        default: return "";
    }
}

class TKelvoRotateCommandState : public TKelvoCustomGraphicsCommandState {
public:
    // changed: called after each undo and redo (the tool's preview follows the image).
    TKelvoRotateCommandState(IKelvoGraphicsTool* tool, TKelvoGraphicsDocument& document, std::uint8_t op,
                             std::function<void()> changed);

    std::uint8_t Operation() const { return op_; }

    bool Undo() override;
    bool Redo() override;

private:
    bool Run(std::uint8_t op);

    std::uint8_t op_;
    std::function<void()> changed_;
};
