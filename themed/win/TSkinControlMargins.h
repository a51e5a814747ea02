// The four widths a themed control keeps free inside its bounds (margins) or inside its border (paddings).
// The change handler runs after every real change and after Assign.
#pragma once
#include <cstdint>

#include "classlib/core/Geometry.h"
#include "classlib/core/Method.h"
#include "classlib/core/TPersistent.h"

class TSkinControlMargins : public TPersistent {
    CLASSLIB_CLASS(TSkinControlMargins, TPersistent)
public:
    TSkinControlMargins() = default;

    std::int32_t Left() const { return left_; }
    void SetLeft(std::int32_t value) { Change(left_, value); }
    std::int32_t Top() const { return top_; }
    void SetTop(std::int32_t value) { Change(top_, value); }
    std::int32_t Right() const { return right_; }
    void SetRight(std::int32_t value) { Change(right_, value); }
    std::int32_t Bottom() const { return bottom_; }
    void SetBottom(std::int32_t value) { Change(bottom_, value); }
    // The four widths as the fields of a rectangle.
    TRect Edges() const { return Rect(left_, top_, right_, bottom_); }
    void SetEdges(const TRect& edges);

    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Change(std::int32_t& field, std::int32_t value);
    void Changed();

    std::int32_t left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

class TSkinControlPaddings : public TSkinControlMargins {
    CLASSLIB_CLASS(TSkinControlPaddings, TSkinControlMargins)
public:
    TSkinControlPaddings() = default;
};
