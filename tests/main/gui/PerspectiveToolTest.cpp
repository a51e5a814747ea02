// The perspective tool in the whole program: a photographed facade whose sides converge is straightened by
// two reference lines drawn with the pointer, finished in full quality, undone, redone and promoted into the
// image when another tool is chosen.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>
#include <cmath>
#include <vector>

#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/win/KelvoFiles.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoOriginalImageTool.h"
#include "app/win/TKelvoScrollTool.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"
#include "app/win/TProgressMeter.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/Stream.h"
#include "classlib/win/TProgressBar.h"
#include "tests/support/TestSupport.h"
#include "tests/app/support/ExifBuilder.h"
#include "tests/main/gui/ProgramTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScreenWait.h"
#include "themed/win/TSkinToolbar.h"
#include "themed/win/TSkinCustomItem.h"
#include "toolbar/core/TTBRootItem.h"
#include "tools/win/TKelvoPerspectiveTool.h"
#include "tools/win/TKelvoProfileFile.h"
#include "classlib/win/TSpinEdit.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniEdit.h"
#include "unicode/win/TUniLabel.h"
#include "unicode/win/TUniRadioGroup.h"
#include "unicode/win/TUniRadioButton.h"
#include "tools/win/TUniMyTrackBar.h"
#include "unicode/win/TUniButton.h"

using testsupport::PumpUntil;
using testsupport::WaitFor;

namespace {

constexpr Byte kWall = 40;
constexpr Byte kSky = 220;

// The facade's corners as the camera saw it: narrower at the top than at the bottom.
struct TFacade {
    double Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight;
    double LeftAt(double y) const { return TopLeft + (y - Top) * (BottomLeft - TopLeft) / (Bottom - Top); }
    double RightAt(double y) const { return TopRight + (y - Top) * (BottomRight - TopRight) / (Bottom - Top); }
};

// Where a row changes from sky to wall (or back), to a fraction of a pixel: the first crossing of the middle
// grey from x in direction dir, interpolated; NAN when there is none.
double Crossing(const TKelvoPixels& p, std::int32_t y, std::int32_t from, int dir) {
    const double middle = (kWall + kSky) / 2.0;
    for (std::int32_t x = from; x + dir >= 0 && x + dir < p.Width(); x += dir) {
        const double a = p.PixelAddress(x, y)[1], b = p.PixelAddress(x + dir, y)[1];
        if (a > middle && b <= middle) return x + dir * (a - middle) / (a - b);
    }
    return NAN;
}

// A side of the facade in the rows top..bottom (5 % in from each end): the line x = Offset + Slope * y fitted
// to its crossings, and the largest distance of a crossing from it.
struct TSideFit {
    bool Found = false;
    double Offset = 0, Slope = 0, Residual = 0;
};
TSideFit FitSide(const TKelvoPixels& p, std::int32_t top, std::int32_t bottom, std::int32_t from, int dir) {
    std::vector<std::pair<double, double>> points;
    const std::int32_t margin = (bottom - top) / 20;
    for (std::int32_t y = top + margin; y <= bottom - margin; y += 8) {
        const double x = Crossing(p, y, from, dir);
        if (!std::isfinite(x)) return {};
        points.emplace_back(y, x);
    }
    double sy = 0, sx = 0, syy = 0, sxy = 0;
    for (const auto& [y, x] : points) {
        sy += y;
        sx += x;
        syy += y * y;
        sxy += x * y;
    }
    const double n = double(points.size());
    TSideFit fit;
    fit.Found = points.size() > 10;
    fit.Slope = (n * sxy - sx * sy) / (n * syy - sy * sy);
    fit.Offset = (sx - fit.Slope * sy) / n;
    for (const auto& [y, x] : points) fit.Residual = std::max(fit.Residual, std::abs(x - fit.Offset - fit.Slope * y));
    return fit;
}

class PerspectiveProgram : public kelvotest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        tool_ = Find<TKelvoPerspectiveTool>();
        ASSERT_TRUE(tool_);
        const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
        ::SetWindowPos(form_->Handle(), nullptr, 0, 0, width, height, SWP_NOZORDER);
        ASSERT_TRUE(PumpUntil([&] { return form_->Width() == width && form_->Height() == height; }));
    }

    // A photograph of a facade, large enough that previews take the nearest pixel and Finish is more.
    // A small one (previews in full quality) unless large.
    // The facade as a PNG, or, given a camera's EXIF block, as that camera's JPEG.
    bool OpenFacade(bool large = true, const std::vector<Byte>& exif = {}) {
        RECT desk{};
        ::GetWindowRect(::GetDesktopWindow(), &desk);
        w_ = large ? std::max<std::int32_t>(1200, std::int32_t(desk.right * 1.5) + 8) : 400;
        h_ = large ? std::max<std::int32_t>(900, std::int32_t(desk.bottom * 1.5) + 8) : 300;
        facade_ = TFacade{0.04 * h_, 0.96 * h_, 0.36 * w_, 0.64 * w_, 0.22 * w_, 0.78 * w_};
        TKelvoPixelBuffer pixels(KelvoFormatBGR24, MakeRect(0, 0, w_, h_));
        for (std::int32_t y = 0; y < h_; ++y) {
            const double yc = y + 0.5;
            const bool rows = yc >= facade_.Top && yc < facade_.Bottom;
            for (std::int32_t x = 0; x < w_; ++x) {
                // The share of the pixel the wall covers, so that its sides are as sharp as a photo's.
                double cover = 0;
                if (rows) {
                    const double l = facade_.LeftAt(yc), r = facade_.RightAt(yc);
                    cover = std::clamp(std::min(x + 1 - l, r - x), 0.0, 1.0);
                }
                const Byte v = Byte(std::lround(kSky + (kWall - kSky) * cover));
                MakeBGR(pixels.PixelAddress(x, y), v, v, v);
            }
        }
        TKelvoProperties none;
        const std::string file = dir_.File(exif.empty() ? "facade.png" : "facade.jpg");
        const std::u16string path = AnsiToWide(file);
        if (!WriteGraphicsFile(path, exif.empty() ? KelvoFormatPNG : KelvoFormatJPEG, pixels, TKelvoRect{}, none,
                               TKelvoResolution{}, 95))
            return false;
        if (!exif.empty())
            testsupport::WriteBytes(file,
                                    exiftest::WithSegment(testsupport::FileBytes(file), exiftest::ExifSegment(exif)));
        return editor_->Documents().Open(path, nullptr, true);
    }

    TPoint Screen(TKelvoGraphicsView& view, double x, double y) {
        const TKelvoMapMode& map = view.MapMode();
        return view.ClientToScreen(
            Point(int(std::lround(map.LogicalToDeviceXF(x))), int(std::lround(map.LogicalToDeviceYF(y)))));
    }

    // The screen point of the tool's demonstration target.
    bool TargetPoint(const char* name, TPoint& point) {
        TKelvoProperties target;
        target.SetString(0, name);
        bool found = false;
        tool_->GetDemoTargetPoint(target, found, point);
        return found;
    }

    // A line drawn with the left button from a to b.
    bool DrawLine(TKelvoGraphicsView& view, TRealPoint a, TRealPoint b) {
        std::vector<TPoint> points;
        for (int i = 0; i <= 4; ++i)
            points.push_back(Screen(view, a.X + (b.X - a.X) * i / 4, a.Y + (b.Y - a.Y) * i / 4));
        return testsupport::DragAlong(points, view.Handle());
    }

    // The sides of the facade in the image's pixel-centre coordinates (pixel x covers x - 0.5 .. x + 0.5).
    double LeftSide(double y) const { return facade_.LeftAt(y + 0.5) - 0.5; }
    double RightSide(double y) const { return facade_.RightAt(y + 0.5) - 0.5; }

    // Two points of the line x(y), near its rows from and to, that the pointer reaches exactly at the zoom 1:2:
    // even image coordinates on rows where x lies within 0.03 of an even number.
    static std::pair<TRealPoint, TRealPoint> ReachablePoints(const std::function<double(double)>& x, double from,
                                                             double to) {
        auto reachable = [&](double y) { return std::abs(x(y) - 2 * std::nearbyint(x(y) / 2)) < 0.03; };
        double a = 2 * std::ceil(from / 2), b = 2 * std::floor(to / 2);
        while (a < b && !reachable(a)) a += 2;
        while (b > a && !reachable(b)) b -= 2;
        return {{2 * std::nearbyint(x(a) / 2), a}, {2 * std::nearbyint(x(b) / 2), b}};
    }

    // Where the preview shows the right side on output row y: the output x whose source lies on it.
    double PreviewRightSide(double y) const {
        double lo = w_ / 2.0, hi = w_ - 1.0;
        for (int i = 0; i < 60; ++i) {
            const double mid = (lo + hi) / 2;
            const TRealPoint source = tool_->PerspectiveMapping().MapInverseScaled(mid, y);
            (source.X < RightSide(source.Y) ? lo : hi) = mid;
        }
        return (lo + hi) / 2;
    }

    TKelvoPerspectiveTool* tool_ = nullptr;
    std::int32_t w_ = 0, h_ = 0;
    TFacade facade_{};
};

// What the progress bar is told while a render runs.
std::vector<WPARAM> barPositions;
WNDPROC barProc = nullptr;
LRESULT CALLBACK RecordBar(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_SETPOS) barPositions.push_back(wParam);
    return ::CallWindowProcW(barProc, window, message, wParam, lParam);
}

std::unique_ptr<TKelvoPixelBuffer> Copy(const TKelvoPixels& p) {
    auto copy = std::make_unique<TKelvoPixelBuffer>(p.Format(), p.GetBounds());
    copy->CopyFrom(p);
    return copy;
}

// The colour the view's window holds at a client point.
COLORREF ViewPixel(TKelvoGraphicsView& view, int x, int y) {
    HDC dc = ::GetDC(view.Handle());
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(view.Handle(), dc);
    return c;
}

bool Same(const TKelvoPixels& a, const TKelvoPixels& b) {
    if (!(a.GetBounds() == b.GetBounds())) return false;
    for (std::int32_t y = 0; y < a.Height(); ++y)
        if (!std::equal(a.Row(y), a.Row(y) + a.Width() * 3, b.Row(y))) return false;
    return true;
}

}  // namespace

TEST_F(PerspectiveProgram, TwoLinesStraightenAFacadeAndFinishUndoAndRedoKeepItStraight) {
    ASSERT_TRUE(OpenFacade());
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    // At 1:2 every pointer position is an even image position.
    view->SetZoom(TKelvoZoom{1, 2});
    // The tool's button in the tool panel, clicked.
    TPoint button{};
    ASSERT_TRUE(TargetPoint("PerspectiveTool", button));
    testsupport::ClickAt(button);
    ASSERT_TRUE(WaitFor("the perspective tool current", [&] { return editor_->ActiveTool() == tool_; }));
    TKelvoGraphicsDocument& document = view->Document();

    // The left side first: it becomes plumb, paired with the right border.
    const double y1 = facade_.Top + 0.03 * (facade_.Bottom - facade_.Top);
    const double y2 = facade_.Bottom - 0.03 * (facade_.Bottom - facade_.Top);
    const auto left1 = ReachablePoints([&](double y) { return LeftSide(y); }, y1, y2);
    ASSERT_TRUE(DrawLine(*view, left1.first, left1.second));
    ASSERT_TRUE(WaitFor("the first line's record", [&] { return tool_->PerspectiveMapping().History.size() == 1; }));
    const auto oneLine = Copy(document.GetPixels());
    // Then the right side where the preview shows it now.
    const auto right1 = ReachablePoints([&](double y) { return PreviewRightSide(y); }, y1, y2);
    ASSERT_TRUE(DrawLine(*view, right1.first, right1.second));
    ASSERT_TRUE(WaitFor("the second line's record", [&] { return tool_->PerspectiveMapping().History.size() == 2; }));
    const auto twoLines = Copy(document.GetPixels());
    EXPECT_FALSE(tool_->Clean());

    // Finish, watching the bar.
    TProgressBar* bar = TKelvoCorrectionTool::Progress()->Bar();
    barPositions.clear();
    barProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(bar->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordBar)));
    testsupport::ClickAt(tool_->Frame()->btFinish->ClientToScreen(
        Point(tool_->Frame()->btFinish->Width() / 2, tool_->Frame()->btFinish->Height() / 2)));
    const bool finished = WaitFor("the finished render", [&] { return tool_->Clean() && !tool_->Busy(); });
    ::SetWindowLongPtrW(bar->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(barProc));
    ASSERT_TRUE(finished);
    std::int32_t steps = 0;
    for (WPARAM p : barPositions)
        if (p > 0 && p < WPARAM(w_)) ++steps;
    EXPECT_GT(steps, 10) << "the bar moves while the columns are rendered";
    EXPECT_EQ(barPositions.back(), 0u) << "and is empty again at the end";
    testsupport::WaitUntilOnScreen(form_->Handle());
    testsupport::SaveScreen(testsupport::ArtifactPath("perspective-tool-finished.bmp"));

    // Both sides are straight, parallel and plumb within a pixel over the facade's height.
    const auto finishedPixels = Copy(document.GetPixels());
    // The facade's rows in the result, from its middle column.
    std::int32_t top = 0, bottom = h_ - 1;
    while (top < h_ && finishedPixels->PixelAddress(w_ / 2, top)[1] > (kWall + kSky) / 2) ++top;
    while (bottom > top && finishedPixels->PixelAddress(w_ / 2, bottom)[1] > (kWall + kSky) / 2) --bottom;
    ASSERT_GT(bottom - top, h_ / 3);
    const TSideFit left = FitSide(*finishedPixels, top, bottom, 0, 1);
    const TSideFit right = FitSide(*finishedPixels, top, bottom, w_ - 1, -1);
    ASSERT_TRUE(left.Found && right.Found);
    EXPECT_LT(left.Residual, 0.5);
    EXPECT_LT(right.Residual, 0.5);
    const double span = bottom - top;
    EXPECT_LT(std::abs(left.Slope - right.Slope) * span, 1.0) << "parallel";
    EXPECT_LT(std::abs(left.Slope) * span, 1.0) << "plumb";
    EXPECT_LT(std::abs(right.Slope) * span, 1.0) << "plumb";

    // Undo takes the second line back, redo brings it again: the previews are the same pixels.
    view->SetFocus();
    testsupport::PressWith(VK_CONTROL, 'Z');
    ASSERT_TRUE(WaitFor(
        "the undone line", [&] { return tool_->PerspectiveMapping().History.size() == 1; }, testsupport::kPumpTimeoutMs,
        [] { Application->ProcessMessages(); }));
    EXPECT_TRUE(Same(document.GetPixels(), *oneLine));
    testsupport::PressWith(VK_CONTROL, 'Y');
    ASSERT_TRUE(WaitFor(
        "the redone line", [&] { return tool_->PerspectiveMapping().History.size() == 2; }, testsupport::kPumpTimeoutMs,
        [] { Application->ProcessMessages(); }));
    EXPECT_TRUE(Same(document.GetPixels(), *twoLines));

    // Another tool: the correction becomes part of the image, in full quality.
    editor_->SetActiveTool(Find<TKelvoScrollTool>());
    EXPECT_TRUE(tool_->PerspectiveMapping().History.empty());
    EXPECT_TRUE(Same(document.GetPixels(), *finishedPixels));
    EXPECT_TRUE(Same(document.Committed(), *finishedPixels));
    // Its undo gives the lines back over the photo as taken, its redo the finished image again.
    editor_->UndoCommand(nullptr);
    EXPECT_EQ(editor_->ActiveTool(), tool_);
    EXPECT_EQ(tool_->PerspectiveMapping().History.size(), 2u);
    EXPECT_TRUE(Same(document.GetPixels(), *twoLines));
    editor_->RedoCommand(nullptr);
    EXPECT_TRUE(tool_->PerspectiveMapping().History.empty());
    EXPECT_TRUE(Same(document.GetPixels(), *finishedPixels));
}

// "Crop to the corrected area" chosen once a line has straightened the facade (and the lens correction was
// tried and set back to None) crops the correction that is there: the image area shrinks to the inscribed
// rectangle, with no white wedge left in its corners.
TEST_F(PerspectiveProgram, ACropTypeChosenAfterTheLinesAppliesToTheCorrectionThere) {
    ASSERT_TRUE(OpenFacade(false));
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    TPoint at{};
    ASSERT_TRUE(TargetPoint("PerspectiveTool", at));
    testsupport::ClickAt(at);
    ASSERT_TRUE(WaitFor("the perspective tool current", [&] { return editor_->ActiveTool() == tool_; }));
    TKelvoGraphicsDocument& document = view->Document();
    const TKelvoRect full = document.GetImageRect();
    ASSERT_TRUE(DrawLine(*view, {LeftSide(0.1 * h_), 0.1 * h_}, {LeftSide(0.9 * h_), 0.9 * h_}));
    ASSERT_TRUE(WaitFor("the line's record", [&] { return tool_->PerspectiveMapping().History.size() == 1; }));
    auto white = [&](std::int32_t x, std::int32_t y) {
        const Byte* pixel = document.GetPixels().PixelAddress(x, y);
        return (pixel[0] & pixel[1] & pixel[2]) == 255;
    };
    ASSERT_TRUE(white(0, 0) || white(w_ - 1, 0) || white(0, h_ - 1) || white(w_ - 1, h_ - 1)) << "no wedge";

    TKelvoCorrectionToolFrame& frame = *tool_->Frame();
    auto click = [&](TControl* control, const std::function<bool()>& done) {
        TPoint centre{};
        if (!TKelvoPanelTool::ControlCentre(control, centre)) return false;
        testsupport::ClickAt(centre);
        return WaitFor("the click", done);
    };
    ASSERT_TRUE(click(frame.trbDistorMan, [&] { return frame.trbDistorMan->Checked(); }));
    ASSERT_TRUE(click(frame.trbDistorNo, [&] { return frame.trbDistorNo->Checked(); }));
    ASSERT_TRUE(click(frame.trgCrop->Buttons(1), [&] { return tool_->Mapping().CropType == 1; }));
    ASSERT_TRUE(WaitFor(
        "the cropped area", [&] { return !(document.GetImageRect() == full); }, 5000,
        [] { Application->ProcessMessages(); }));
    const TKelvoRect area = document.GetImageRect();
    // The left side was made plumb against the right border: the wedges are on the left.
    EXPECT_GT(area.Left, 0);
    for (TKelvoPoint p : {TKelvoPoint{area.Left, area.Top}, TKelvoPoint{area.Right - 1, area.Top},
                          TKelvoPoint{area.Left, area.Bottom - 1}, TKelvoPoint{area.Right - 1, area.Bottom - 1}})
        EXPECT_FALSE(white(p.X, p.Y)) << p.X << ", " << p.Y;

    // The view shows that area alone: the bitmap's left column outside it is the view's grey, as round the image.
    ASSERT_TRUE(WaitFor("the view painted", [&] { return testsupport::ScreenShows(form_->Handle()); }));
    testsupport::SaveScreen(testsupport::ArtifactPath("perspective-crop-type.bmp"));
    const COLORREF margin = ViewPixel(*view, 0, 0);
    for (TKelvoPoint p : {TKelvoPoint{0, 0}, TKelvoPoint{0, h_ / 2}, TKelvoPoint{0, h_ - 1}}) {
        const TKelvoPoint device = view->MapMode().LogicalToDevicePoint(p);
        EXPECT_EQ(ViewPixel(*view, device.X, device.Y), margin) << p.X << ", " << p.Y;
    }
}

// The guide's cross-hair through the pointer stays on the image: the grey round it keeps its colour on the
// pointer's row and column.
TEST_F(PerspectiveProgram, TheGuidesCrossHairIsDrawnOnTheImageOnly) {
    ASSERT_TRUE(OpenFacade(false));
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    editor_->SetActiveTool(tool_);
    const TKelvoRect image = view->MapMode().LogicalToDeviceRect(MakeRect(0, 0, w_, h_));
    ASSERT_GT(image.Left, 4);
    ASSERT_GT(image.Top, 4);
    const COLORREF margin = ViewPixel(*view, 1, 1);
    const TKelvoPoint pointer{image.Left + 40, image.Top + 30};
    testsupport::MoveTo(view->ClientToScreen(Point(pointer.X + 1, pointer.Y)));
    testsupport::MoveTo(view->ClientToScreen(Point(pointer.X, pointer.Y)));
    // The cross-hair is there: XOR white over the sky, left of the pointer.
    ASSERT_TRUE(
        WaitFor("the guide", [&] { return ViewPixel(*view, pointer.X - 20, pointer.Y) != RGB(kSky, kSky, kSky); }));
    ASSERT_TRUE(WaitFor("the view painted", [&] { return testsupport::ScreenShows(form_->Handle()); }));
    long marked = 0;
    for (std::int32_t x = 0; x < image.Left; ++x) marked += ViewPixel(*view, x, pointer.Y) != margin;
    for (std::int32_t y = 0; y < image.Top; ++y) marked += ViewPixel(*view, pointer.X, y) != margin;
    EXPECT_EQ(marked, 0) << "pixels of the cross-hair in the margin";
}

namespace {

void SetCameraText(TKelvoGraphicsDocument& document, std::int32_t tag, const char* text) {
    document.Properties().SetValue(tag, 2, std::uint32_t(std::strlen(text) + 1), text);
}

}  // namespace

TEST_F(PerspectiveProgram, TheCamerasLearnedDistortionIsOfferedAndAltF2LearnsTheManualValue) {
    testsupport::TempDir profiles;
    TKelvoProfileFile store(AnsiToWide(profiles.File("Vantorel.dis")));
    ASSERT_TRUE(store.WriteString(u"Canon", u"EOS 5 FL", u"10 20 "));
    ASSERT_TRUE(store.WriteString(u"Canon", u"EOS 5 KD", u"-10 -20 "));
    tool_->SetProfileStore(&store);
    // The photo's own EXIF names the camera and the focal length: 150 / 10 mm.
    ASSERT_TRUE(OpenFacade(false, exiftest::CameraBlock(false, 1, "Canon", "EOS 5", 150, 10, {})));
    TKelvoGraphicsDocument& document = *editor_->GetActiveDocument();
    TKelvoCorrectionToolFrame& frame = *tool_->Frame();
    // 15 mm lies between the learned 10 and 20 mm.
    EXPECT_EQ(frame.sklKoef->Caption(), u"-15");
    EXPECT_EQ(frame.sklFocalLength->Caption(), u"15");
    EXPECT_EQ(frame.sklEquipModel->Caption(), u"EOS 5");
    editor_->SetActiveTool(tool_);
    EXPECT_TRUE(frame.trbDistorAuto->Enabled());

    // Three manual values in a row are one undo step; its undo brings the photo back as it was.
    const auto photo = Copy(document.GetPixels());
    const std::int32_t steps = document.History().GetCount();
    frame.trbDistorMan->SetChecked(true);
    for (int value : {20, 30, 40}) frame.DistorTrackBar->SetPosition(value);
    EXPECT_EQ(frame.ManualValue(), 40);
    EXPECT_DOUBLE_EQ(tool_->Mapping().LensK, -0.04);
    EXPECT_EQ(document.History().GetCount(), steps + 1);
    EXPECT_FALSE(Same(document.GetPixels(), *photo));
    editor_->UndoCommand(nullptr);
    EXPECT_EQ(frame.ManualValue(), 0);
    EXPECT_TRUE(Same(document.GetPixels(), *photo));
    editor_->RedoCommand(nullptr);
    EXPECT_EQ(frame.ManualValue(), 40);
    const auto corrected = Copy(document.GetPixels());
    EXPECT_FALSE(Same(*corrected, *photo));

    // Alt+F2 over the image keeps 40 for 15 mm in the file, between the other two.
    TKelvoGraphicsView* view = editor_->GetActiveView();
    view->SetFocus();
    testsupport::PressWith(VK_MENU, VK_F2);
    // (The system's profile reader drops the blank that ends each list.)
    ASSERT_TRUE(WaitFor(
        "the learned value", [&] { return store.ReadString(u"Canon", u"EOS 5 KD") == u"-10 40 -20"; },
        testsupport::kPumpTimeoutMs, [] { Application->ProcessMessages(); }));
    EXPECT_EQ(store.ReadString(u"Canon", u"EOS 5 FL"), u"10 15 20");
    EXPECT_EQ(frame.sklKoef->Caption(), u"40");

    // Saving makes the correction part of the image: one step holding the photo as it was.
    const std::u16string saved = AnsiToWide(dir_.File("saved.png"));
    ASSERT_TRUE(document.SaveToFile(saved, KelvoFormatPNG));
    auto* last = dynamic_cast<TKelvoCorrectionCommandState*>(document.History().NextUndo());
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->Kind(), PendingFinish);
    EXPECT_TRUE(Same(document.GetPixels(), *corrected));
    EXPECT_TRUE(tool_->Mapping().LensApplied);
    editor_->UndoCommand(nullptr);
    EXPECT_FALSE(tool_->Mapping().LensApplied);
    EXPECT_TRUE(Same(tool_->SourcePixels(), *photo));
}

TEST_F(PerspectiveProgram, TheFrameComesBackFromTheStateFile) {
    TKelvoPerspectiveToolFrame& frame = *tool_->PerspectiveFrame();
    frame.SetCropType(CropStretchInscribed);
    frame.trgCrop->OnClick(frame.trgCrop);
    frame.SetDistortionMode(DistortionManual);
    frame.SetManualValue(-25);
    frame.UniCBPerspKoef->SetChecked(true);
    frame.SetStrengthValue(60);
    frame.CBRefSize->SetChecked(true);
    frame.SetReferenceSize(4, 2.5);
    editor_->SetActiveTool(tool_);
    KelvoApplication->SaveState();

    editor_->SetActiveTool(Find<TKelvoScrollTool>());
    frame.SetCropType(CropKeepSize);
    frame.SetDistortionMode(DistortionNone);
    frame.SetManualValue(0);
    frame.UniCBPerspKoef->SetChecked(false);
    frame.CBRefSize->SetChecked(false);
    frame.SetReferenceSize(0, 0);
    // The tool reads its node from the file the program wrote. The program's own state walk runs once per
    // start: a second one would register every module's hooks again.
    AnsiString bytes;
    ASSERT_TRUE(
        kelvo::ReadFileBytes(KelvoApplication->GetStateFileName(), bytes, std::size_t(TKelvoSDFReader::MaxBytes)));
    TCustomMemoryStream content;
    content.SetPointer(bytes.data(), std::int64_t(bytes.size()));
    TKelvoSDFReader reader(&content);
    tool_->LoadState(reader);

    EXPECT_EQ(tool_->Mapping().CropType, CropStretchInscribed);
    EXPECT_EQ(frame.CropType(), CropStretchInscribed);
    EXPECT_EQ(frame.DistortionMode(), DistortionManual);
    EXPECT_EQ(frame.ManualValue(), -25);
    EXPECT_TRUE(frame.UniCBPerspKoef->Checked());
    EXPECT_EQ(frame.StrengthValue(), 60);
    EXPECT_DOUBLE_EQ(tool_->PerspectiveMapping().Strength, 0.6);
    EXPECT_TRUE(frame.CBRefSize->Checked());
    EXPECT_EQ(frame.EditWidth->Text(), u"4");
    EXPECT_EQ(frame.EditHeight->Text(), u"2.5");
    EXPECT_EQ(editor_->ActiveTool(), tool_);
}

namespace {

// A demonstration that keeps what the tool records.
class TRecordingDemo : public IKelvoDemoPlayback, public IKelvoDemoMacro {
public:
    void AddLine(const AnsiString& text) override { Lines.push_back(text); }
    bool ShowMessages() const override { return false; }
    void ReportError(const AnsiString&) override {}
    void RecordCommand(const AnsiString& name, const AnsiString&) override {
        Lines.push_back("MouseCurvedMove " + name);
        Lines.push_back(name);
    }
    void RecordMouseDown(const AnsiString&, TPoint, bool) override {}
    void RecordMouseMove(const AnsiString&, TPoint) override {}
    void RecordMouseUp(const AnsiString&, TPoint, bool) override {}
    void AddCall(std::function<void()>) override {}
    std::vector<AnsiString> Lines;
};

}  // namespace

TEST_F(PerspectiveProgram, DemonstrationsNameTheFramesControlsAndRunFinish) {
    ASSERT_TRUE(OpenFacade(false));
    editor_->SetActiveTool(tool_);
    TRecordingDemo demo;
    TKelvoProperties params;
    bool handled = false;
    params.SetInteger(0, 1);
    tool_->ExecuteDemoCommand(demo, "PERSPECTIVETOOLCROPTYPE", handled, demo, params);
    EXPECT_TRUE(handled);
    EXPECT_EQ(tool_->Frame()->CropType(), CropToInscribed);
    handled = false;
    params.SetInteger(0, -30);
    tool_->ExecuteDemoCommand(demo, "PERSPECTIVETOOLDISTVALUE", handled, demo, params);
    EXPECT_EQ(tool_->Frame()->ManualValue(), -30);
    params.SetInteger(0, 1);
    tool_->ExecuteDemoCommand(demo, "PERSPECTIVETOOLDISTTYPE", handled, demo, params);
    EXPECT_DOUBLE_EQ(tool_->Mapping().LensK, 0.03);

    // The Finish button is the target "PerspectiveToolRESAMPLE"; while recording, Finish writes its command.
    TPoint point{};
    ASSERT_TRUE(TargetPoint("PerspectiveToolRESAMPLE", point));
    TUniButton* finish = tool_->Frame()->btFinish;
    EXPECT_EQ(point, finish->ClientToScreen(Point(finish->Width() / 2, finish->Height() / 2)));
    tool_->SetRecorder(&demo);
    handled = false;
    tool_->ExecuteDemoCommand(demo, "PERSPECTIVETOOLRESAMPLE", handled, demo, params);
    tool_->ClearRecorder();
    EXPECT_TRUE(handled);
    EXPECT_TRUE(tool_->Clean());
    // The lens correction leaves white corners, which the crop type 1 cuts away: the image area is smaller.
    const TKelvoRect area = editor_->GetActiveDocument()->GetImageRect();
    EXPECT_GT(area.Left, 0);
    EXPECT_LT(area.Right, w_);
    EXPECT_GT(area.Top, 0);
    EXPECT_LT(area.Bottom, h_);
    EXPECT_EQ(demo.Lines,
              (std::vector<AnsiString>{"MouseCurvedMove PerspectiveToolResample", "PerspectiveToolResample"}));
}

TEST_F(PerspectiveProgram, TheToolComesAfterTheToolPanelAndBeforeTheOriginalImageTool) {
    int panel = -1, perspective = -1, original = -1;
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        TComponent* c = Application->Components(i);
        if (dynamic_cast<TKelvoToolPanelModule*>(c)) panel = i;
        if (c == tool_) perspective = i;
        if (dynamic_cast<TKelvoOriginalImageTool*>(c)) original = i;
    }
    EXPECT_LT(panel, perspective);
    EXPECT_LT(perspective, original);
    // Its frame is in the tool panel, its button in the panel's toolbar.
    auto* toolPanel = Find<TKelvoToolPanelModule>();
    EXPECT_EQ(tool_->Frame()->Owner(), toolPanel);
    ASSERT_NE(tool_->Button, nullptr);
    EXPECT_GE(toolPanel->Toolbar->Items()->IndexOf(tool_->Button), 0);
}
