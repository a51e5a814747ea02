#include "themed/win/TSkinControlMargins.h"

void TSkinControlMargins::Change(std::int32_t& field, std::int32_t value) {
    if (field == value) return;
    field = value;
    Changed();
}

void TSkinControlMargins::Changed() {
    if (OnChange) OnChange(this);
}

void TSkinControlMargins::SetEdges(const TRect& e) {
    if (Edges() == e) return;
    left_ = e.Left;
    top_ = e.Top;
    right_ = e.Right;
    bottom_ = e.Bottom;
    Changed();
}

void TSkinControlMargins::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TSkinControlMargins*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    left_ = other->left_;
    top_ = other->top_;
    right_ = other->right_;
    bottom_ = other->bottom_;
    Changed();
}
