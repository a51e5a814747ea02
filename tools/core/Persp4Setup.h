// The four-point correction's plain arithmetic: picking points on the image, choosing the four corners among
// them, the set-up that turns a quadrilateral into a rectangle, and the inverse mapping of an output position.
//
// Only a convex quadrilateral of non-zero area with finite set-up results counts as valid corners: picks that
// lie on one line or cross each other would divide by zero (or by almost zero) in the set-up and correct
// nothing the user meant.
#pragma once
#include <cstddef>
#include <vector>

#include "tools/core/Geometry.h"

// At most this many points are picked.
constexpr std::size_t Persp4MaxPoints = 8;
// A drag at least this long (image pixels) adds both of its ends; a click this close to a point removes it.
constexpr double Persp4PickDistance = 10.0;

// Everything a four-point correction is: the corners, whether they are valid, and what the set-up derives from
// them. Copied whole into undo states, before and after a set-up.
struct TPersp4Geometry {
    TRealPoint TL, TR, BL, BR;
    bool CornersValid = false;
    // Vanishing points of the left and right edges (vertical) and of the top and bottom edges (horizontal).
    TRealPoint VPv, VPh;
    bool HasVPv = false;
    bool HasVPh = false;
    double SlopeLeft = 0.0;
    double SlopeTop = 0.0;
    TRealPoint MidTop, MidLeft;
    double Lx = 0.0;
    double Ly = 0.0;
    double Sx = 1.0;
    double Sy = 1.0;
    double Kx = 0.0;
    double Ky = 0.0;
    double DirLx = 0.0;
    double DirLy = 0.0;
    double DirTx = 0.0;
    double DirTy = 0.0;
    double X0 = 0.0;
    double Y0 = 0.0;
    // The reference rectangle's scale of the output position (from X0, Y0) before the mapping: the output
    // rectangle takes the known aspect ratio while its edges still land on the picked ones.
    double RefScaleX = 1.0;
    double RefScaleY = 1.0;
    friend bool operator==(const TPersp4Geometry&, const TPersp4Geometry&) = default;
};

// The known width and height of the rectangle in reality; applied only when On and both are finite and above 0.
struct TPersp4Reference {
    bool On = false;
    double Width = 0.0;
    double Height = 0.0;
};

// One mouse gesture from start to end (image coordinates). A drag of at least Persp4PickDistance adds both ends
// while fewer than 7 points are stored (a longer drag at 7 or 8 points adds nothing); anything shorter is a click
// at start: it removes the first point closer than Persp4PickDistance, or else, below 8 points, adds start.
// Returns true when the points changed.
bool Persp4Pick(std::vector<TRealPoint>& points, const TRealPoint& start, const TRealPoint& end);

// Chooses TL (smallest x + y), BR (largest x + y), BL (smallest x - y) and TR (largest x - y) among the points,
// the first in list order on a tie, and sets CornersValid when the four are different points of the list. An
// empty list fails. Does not run the set-up.
bool Persp4FindCorners(const std::vector<TRealPoint>& points, TPersp4Geometry& geometry);

// True when TL, TR, BR, BL in this order make a convex quadrilateral of non-zero area.
bool Persp4IsConvex(const TPersp4Geometry& geometry);

// Derives everything from the corners (and scales by the reference rectangle when it applies). When the corners
// are not valid, are not a convex quadrilateral or give a non-finite or degenerate result, CornersValid becomes
// false and the derived values are left at their defaults.
void Persp4Derive(TPersp4Geometry& geometry, const TPersp4Reference& reference);

// Output position to source position (without the lens term). Outside the quadrilateral's reach the result may
// be infinite or NaN; the sampler paints such positions white.
TRealPoint Persp4MapInverse(const TPersp4Geometry& geometry, double x, double y);
// Persp4MapInverse of the n positions (xs[i], y) of one output row, with what depends only on the row worked out
// once.
void Persp4MapInverseRow(const TPersp4Geometry& geometry, const double* xs, double y, int n, double* X, double* Y);

// The picked points and the current corners of one correction, with the rule of when a set-up keeps, replaces or
// drops the corners.
class TPersp4Setup {
public:
    std::vector<TRealPoint> Points;
    TPersp4Geometry Geometry;

    // Valid corners are kept while fewer than 4 new points are picked: a final render with nothing new, or a few
    // stray clicks beside a correction, do not throw the correction away. Otherwise the corners are found among
    // the points, which are cleared when they give valid corners. Then Persp4Derive. Returns the geometry before
    // the set-up, for the undo state.
    TPersp4Geometry Setup(const TPersp4Reference& reference);
};

// The reference sizes are typed as numbers: digits, backspace and the locale's decimal separator; any other key
// is dropped.
bool Persp4SizeKeyAccepted(char key, char decimalSeparator);
