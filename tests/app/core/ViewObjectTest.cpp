// View objects in device coordinates (bounds through the map mode, hit tests with tolerance), the part of an
// image a clip leaves to draw, and the paint order of one paint against a recording canvas.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/KelvoViewPaint.h"
#include "app/core/TKelvoMapMode.h"
#include "app/core/TKelvoViewObject.h"

namespace {

TKelvoMapMode Zoom200() {
    TKelvoMapMode m;
    m.ViewportExtX = m.ViewportExtY = 2;
    return m;
}

// An object whose overlay reaches 5 pixels further than its body (a frame with handles).
class TFramed : public TKelvoViewObject {
public:
    void GetOverlayRect(const TKelvoMapMode& map, TKelvoRect& rect) override {
        GetBodyRect(map, rect);
        rect = TKelvoRect{rect.Left - 5, rect.Top - 5, rect.Right + 5, rect.Bottom + 5};
    }
};

}  // namespace

TEST(ViewObject, DeviceBoundsFollowTheMapModeAndTheFlags) {
    TFramed o;
    EXPECT_EQ(o.Flags(), 15);
    o.SetBounds(MakeRect(10, 20, 40, 35));
    const TKelvoMapMode m = Zoom200();
    TKelvoRect r;
    o.SetFlags(KelvoViewVisible | KelvoViewHasBody);
    o.GetDeviceBounds(m, r);
    EXPECT_EQ(r, MakeRect(20, 40, 80, 70));  // twice the logical size at 200 %
    o.SetFlags(KelvoViewVisible | KelvoViewHasBody | KelvoViewHasOverlay);
    o.GetDeviceBounds(m, r);
    EXPECT_EQ(r, MakeRect(15, 35, 85, 75));
    o.SetFlags(KelvoViewHasOverlay);
    o.GetDeviceBounds(m, r);
    EXPECT_EQ(r, MakeRect(15, 35, 85, 75));
    o.SetFlags(KelvoViewVisible);
    o.GetDeviceBounds(m, r);
    EXPECT_TRUE(r.IsEmpty());
    o.SetVisible(false);
    EXPECT_EQ(o.Flags(), 0);
    o.Reset();
    EXPECT_TRUE(o.IsVisible());
}

TEST(ViewObject, HitTestPointWithTolerance) {
    TKelvoViewObject o;
    o.SetBounds(MakeRect(10, 10, 20, 20));
    const TKelvoMapMode m = Zoom200();  // device (20, 20) .. (40, 40), right and bottom edges outside
    EXPECT_EQ(o.HitTestPoint(m, TKelvoPoint{20, 39}, 4), KelvoHitInside);
    EXPECT_EQ(o.HitTestPoint(m, TKelvoPoint{42, 30}, 4), KelvoHitNear);  // 3 pixels outside
    EXPECT_EQ(o.HitTestPoint(m, TKelvoPoint{43, 30}, 4), KelvoHitNear);  // 4 pixels: the last one near
    EXPECT_EQ(o.HitTestPoint(m, TKelvoPoint{44, 30}, 4), KelvoHitNone);  // 5 pixels outside
    EXPECT_EQ(o.HitTestPoint(m, TKelvoPoint{16, 30}, 4), KelvoHitNear);
    EXPECT_EQ(o.HitTestPoint(m, TKelvoPoint{15, 30}, 4), KelvoHitNone);
    EXPECT_EQ(o.HitTestPoint(m, TKelvoPoint{40, 30}, 0), KelvoHitNone);
    // A tolerance up to the int32 limit neither wraps nor loses the answer.
    EXPECT_EQ(HitTestDevicePoint(MakeRect(0, 0, 1, 1), TKelvoPoint{-2000000000, 5}, 0x7FFFFFFF), KelvoHitNear);
}

TEST(ViewObject, HitTestRectInsidePartlyNearOrNone) {
    TKelvoViewObject o;
    o.SetBounds(MakeRect(0, 0, 100, 50));
    const TKelvoMapMode m;
    EXPECT_EQ(o.HitTestRect(m, MakeRect(0, 0, 100, 50), 0), KelvoHitInside);
    EXPECT_EQ(o.HitTestRect(m, MakeRect(90, 10, 110, 20), 0), KelvoHitPartly);
    EXPECT_EQ(o.HitTestRect(m, MakeRect(100, 10, 110, 20), 3), KelvoHitNear);
    EXPECT_EQ(o.HitTestRect(m, MakeRect(100, 10, 110, 20), 0), KelvoHitNone);
    EXPECT_EQ(o.HitTestRect(m, MakeRect(104, 10, 110, 20), 4), KelvoHitNone);
}

TEST(VisibleImagePart, OnlyWhatTheClipShows) {
    // 1:1, the image's origin scrolled to (-300, -200): the clip's pixels, shifted.
    auto p =
        VisibleImagePart(MakeRect(0, 0, 6000, 4000), MakeRect(-300, -200, 5700, 3800), MakeRect(0, 1000, 1920, 1001));
    EXPECT_EQ(p.Source, MakeRect(300, 1200, 2220, 1201));
    EXPECT_EQ(p.Dest, MakeRect(0, 1000, 1920, 1001));
    // Reduced to a quarter: whole source pixels around the shown part, placed where the full stretch puts them.
    p = VisibleImagePart(MakeRect(0, 0, 6000, 4000), MakeRect(10, 0, 1510, 1000), MakeRect(0, 0, 110, 51));
    EXPECT_EQ(p.Source, MakeRect(0, 0, 400, 204));
    EXPECT_EQ(p.Dest, MakeRect(10, 0, 110, 51));
    p = VisibleImagePart(MakeRect(0, 0, 6000, 4000), MakeRect(0, 0, 1500, 1000), MakeRect(1500, 0, 1600, 10));
    EXPECT_TRUE(p.Source.IsEmpty());
    EXPECT_TRUE(p.Dest.IsEmpty());
}

namespace {

// Canvas and objects that write what the paint order does with them into one log.
struct TLog {
    std::vector<std::string> lines;
};

struct TFakeObject;

struct TFakeCanvas {
    TLog* log;
    TKelvoRect clip;
    bool clipEmptyAfterBodies = false;
    std::vector<TFakeObject*> stack;
    bool ClipMeets(const TKelvoRect& r) const { return RectsMeet(r, clip); }
    void PushState(TFakeObject* o);
    bool PopState(TFakeObject*& o) {
        if (stack.empty()) return false;
        o = stack.back();
        stack.pop_back();
        return true;
    }
    bool ClipIsEmpty() const { return clipEmptyAfterBodies; }
    void FillBackground() { log->lines.push_back("background"); }
};

struct TFakeObject {
    std::string name;
    std::uint8_t flags;
    TKelvoRect body, overlay;
    bool willPaint = true;
    TLog* log;
    bool IsVisible() const { return flags & KelvoViewVisible; }
    std::uint8_t Flags() const { return flags; }
    void GetDeviceBounds(const TKelvoMapMode&, TKelvoRect& r) const {
        r = ViewObjectDeviceBounds(flags, body, overlay);
    }
    void GetBodyRect(const TKelvoMapMode&, TKelvoRect& r) const { r = body; }
    void GetOverlayRect(const TKelvoMapMode&, TKelvoRect& r) const { r = overlay; }
    bool BeginPaint(TFakeCanvas&) {
        log->lines.push_back("begin " + name);
        return willPaint;
    }
    void PaintBody(TFakeCanvas&) { log->lines.push_back("body " + name); }
    void PaintOverlay(TFakeCanvas&) { log->lines.push_back("overlay " + name); }
    void EndPaint() { log->lines.push_back("end " + name); }
};

void TFakeCanvas::PushState(TFakeObject* o) {
    stack.push_back(o);
    log->lines.push_back("push " + o->name);
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(ViewPaintOrder, BodiesTopDownThenBackgroundThenOverlaysBottomUp) {
    TLog log;
    const std::uint8_t all = KelvoViewVisible | KelvoViewHasBody | KelvoViewHasOverlay;
    const std::uint8_t body = KelvoViewVisible | KelvoViewHasBody;
    TFakeObject image{"image", body, MakeRect(0, 0, 500, 400), {}, true, &log};
    TFakeObject lower{"lower", all, MakeRect(10, 10, 50, 50), MakeRect(5, 5, 55, 55), true, &log};
    TFakeObject hidden{"hidden", all & ~KelvoViewVisible, MakeRect(0, 0, 500, 400), MakeRect(0, 0, 500, 400), true,
                       &log};
    TFakeObject away{"away", all, MakeRect(600, 0, 700, 100), MakeRect(600, 0, 700, 100), true, &log};
    TFakeObject refuses{"refuses", all, MakeRect(0, 0, 100, 100), MakeRect(0, 0, 100, 100), false, &log};
    // Its body is outside the clip, its overlay reaches in: painted as an overlay only.
    TFakeObject edge{"edge", all, MakeRect(300, 0, 400, 20), MakeRect(190, 0, 400, 20), true, &log};
    TFakeObject upper{"upper", all, MakeRect(30, 30, 70, 70), MakeRect(25, 25, 75, 75), true, &log};
    TFakeObject* objects[] = {&image, &lower, &hidden, &away, &refuses, &edge, &upper};
    TFakeCanvas canvas{&log, MakeRect(0, 0, 200, 200), false, {}};
    PaintViewObjects(canvas, TKelvoMapMode{}, objects, std::size(objects));
    EXPECT_EQ(log.lines,
              (Lines{"begin upper", "push upper", "body upper", "begin edge", "push edge", "begin refuses",
                     "begin lower", "push lower", "body lower", "begin image", "body image", "end image", "background",
                     "overlay lower", "end lower", "overlay edge", "end edge", "overlay upper", "end upper"}));
}

TEST(ViewPaintOrder, NoBackgroundWhereTheBodiesCoverTheClip) {
    TLog log;
    TFakeObject image{"image", KelvoViewVisible | KelvoViewHasBody, MakeRect(0, 0, 500, 400), {}, true, &log};
    TFakeObject* objects[] = {&image};
    TFakeCanvas canvas{&log, MakeRect(0, 0, 200, 200), true, {}};
    PaintViewObjects(canvas, TKelvoMapMode{}, objects, std::size(objects));
    EXPECT_EQ(log.lines, (Lines{"begin image", "body image", "end image"}));
}
