#include "app/core/TKelvoPointList.h"

#include <string>

#include "classlib/core/Exceptions.h"

void TKelvoPointList::Check(std::int32_t index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::int32_t TKelvoPointList::Add(const TKelvoPoint& point) {
    points_.push_back(point);
    return Count() - 1;
}

TKelvoPoint TKelvoPointList::GetPoint(std::int32_t index) const {
    Check(index);
    return points_[std::size_t(index)];
}

void TKelvoPointList::Delete(std::int32_t index) {
    Check(index);
    points_.erase(points_.begin() + index);
}
