// The image editor's part in demonstrations: opening a demonstration's image, zooming, giving the main window
// the room a demonstration was made in, and the Open and zoom buttons and image points as targets.
#include <cmath>

#include "app/core/KelvoEditorDemo.h"
#include "app/core/TKelvoDocument.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/StringUtils.h"
#include "classlib/win/TScreen.h"
#include "unicode/core/WidePaths.h"

void TKelvoGraphicsEditor::ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                                              IKelvoDemoMacro& macro, const TKelvoProperties& params) {
    handled = true;
    if (command == "IMAGEOPEN") {
        if (!DemoImageOpen(playback, params)) playback.ReportError("Cannot open the file.");
    } else if (command == "ZOOMIN") {
        ZoomIn(this);
    } else if (command == "ZOOMOUT") {
        ZoomOut(this);
    } else if (command == "ACTUALSIZE") {
        ActualSize(this);
    } else if (command == "BESTFIT") {
        BestFit(this);
    } else if (command == "SETMINWINDOWSIZE") {
        DemoResizeWindow(params, false);
    } else if (command == "SETMINVIEWSIZE") {
        DemoResizeWindow(params, true);
    } else {
        handled = false;
        TKelvoEditor::ExecuteDemoCommand(playback, command, handled, macro, params);
    }
}

bool TKelvoGraphicsEditor::DemoImageOpen(IKelvoDemoPlayback& playback, const TKelvoProperties& params) {
    AnsiString name;
    if (!DemoParamText(params, 0, name)) return false;
    // Only a file that is there is opened: opening a missing path must not leave an empty file behind.
    std::u16string path = ImagesFolder + AnsiToWide(name);
    if (ImagesFolder.empty() || !FileExists(path)) path = AnsiToWide(name);
    if (!FileExists(path)) return false;
    TKelvoDocument* document = nullptr;
    if (!Documents().Open(path, &document, true) || !document) return false;
    // The demonstration closes what it opened without asking the user to save it.
    document->SetNoPrompt(true);
    double width = 0, height = 0;
    if (params.GetCount() == 3 && DemoParamNumber(params, 1, width) && DemoParamNumber(params, 2, height)) {
        TKelvoProperties size;
        size.SetDouble(0, width);
        size.SetDouble(1, height);
        DemoResizeWindow(size, true);
    }
    return true;
}

void TKelvoGraphicsEditor::DemoResizeWindow(const TKelvoProperties& params, bool forView) {
    std::int32_t width = 0, height = 0;
    TMainForm* form = MainForm();
    if (!form || !DemoSizeParams(params, width, height)) return;
    const TRect work = Screen->WorkAreaRect();
    const TKelvoRect workArea{work.Left, work.Top, work.Right, work.Bottom};
    const TKelvoWindowBounds now{form->Left(), form->Top(), form->Width(), form->Height()};
    TKelvoGraphicsView* view = GetActiveView();
    TKelvoWindowBounds wanted = now;
    if (!forView)
        wanted = GrowWindowToMinimum(now, workArea, width, height);
    else if (view)
        wanted = GrowWindowForView(now, view->Width(), view->Height(), workArea, width, height);
    if (wanted != now) form->SetBounds(wanted.Left, wanted.Top, wanted.Width, wanted.Height);
    if (view) OpeningZoom(*view);
}

void TKelvoGraphicsEditor::GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) {
    AnsiString name;
    if (!DemoParamText(params, 0, name)) return;
    name = UpperCase(name);
    if (name == "OPEN" || name == "OPENBUTTON") {
        found = ToolButtonCentre(OpenButton, point);
    } else if (name == "ZOOMIN") {
        found = ToolButtonCentre(ZoomInButton, point);
    } else if (name == "ZOOMOUT") {
        found = ToolButtonCentre(ZoomOutButton, point);
    } else if (name == "ACTUALSIZE") {
        found = ToolButtonCentre(ActualSizeButton, point);
    } else if (name == "BESTFIT") {
        found = ToolButtonCentre(BestFitButton, point);
    } else if (name == "IMAGE") {
        double x = 0, y = 0;
        TKelvoGraphicsView* view = GetActiveView();
        if (!view || !DemoParamNumber(params, 1, x) || !DemoParamNumber(params, 2, y)) return;
        if (!(std::fabs(x) < 2147483648.0 && std::fabs(y) < 2147483648.0)) return;
        try {
            const TKelvoPoint image{std::int32_t(x), std::int32_t(y)};
            const TKelvoPoint device = view->MapMode().LogicalToDevicePoint(image);
            point = view->ClientToScreen(Point(device.X, device.Y));
            found = true;
        } catch (const Exception&) {
            // A point the view cannot reach is no target; the playback reports the line.
        }
    } else {
        TKelvoEditor::GetDemoTargetPoint(params, found, point);
    }
}

void TKelvoGraphicsEditor::RecordOpened(const std::u16string& fileName) {
    TKelvoGraphicsView* view = GetActiveView();
    if (!Recorder || !view) return;
    Recorder->AddLine("MouseCurvedMove Open");
    if (Recorder->ShowMessages()) Recorder->AddLine("Message \"Open Image\"");
    // The name alone: a demonstration finds its images in the images folder wherever the program is.
    Recorder->AddLine("ImageOpen \"" + WideToAnsi(uni::FileNameOfW(fileName)) + "\", " + IntToStr(view->Width()) +
                      ", " + IntToStr(view->Height()));
}
