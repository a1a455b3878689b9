// The arrange and formatting commands of the canvas window.
#include "editor/Formatting.h"
#include "editor/frmDisplay.h"
#include "shell/frmMDI.h"

#include <QUndoStack>

namespace natalory {

bool frmDisplay::changeCurrent(int aspects, const QString& text,
                               const std::function<void(DisplayObject&)>& edit) {
    if (!CurrentObject) return false;
    if (!multipleSelected()) {
        const bool changed = editor_.change(*CurrentObject, aspects, text, edit);
        update();
        return changed;
    }
    // Every selected object of the kind the command is for, as one step.
    std::vector<std::pair<DisplayObject*, DisplayObject>> changes;
    for (DisplayObject* o : Selection) {
        if (o->kind != CurrentObject->kind) continue;
        DisplayObject after = *o;
        edit(after);
        if (!SameAspects(*o, after, aspects)) changes.emplace_back(o, std::move(after));
    }
    if (!changes.empty()) {
        editor_.undoStack().beginMacro(text);
        for (auto& [o, after] : changes)
            editor_.change(*o, aspects, text, [&after, aspects](DisplayObject& t) { CopyAspects(after, t, aspects); });
        editor_.undoStack().endMacro();
    }
    update();
    return !changes.empty();
}

void frmDisplay::CenteringActions(int intWhere) {
    if (!CurrentObject) return;
    if (const std::optional<QPoint> at = CenteredPosition(*CurrentObject, sizeTwips_, intWhere))
        editor_.change(*CurrentObject, aspGeometry, QStringLiteral("Center"), [&](DisplayObject& o) {
            o.Left = at->x();
            o.Top = at->y();
        });
    ShowSelection(false);
    update();
}

void frmDisplay::BringToFront() {
    if (!CurrentObject) return;
    editor_.bringToFront(*CurrentObject);
    update();
}

void frmDisplay::SendToBack() {
    if (!CurrentObject) return;
    editor_.sendToBack(*CurrentObject);
    update();
}

void frmDisplay::SetFont(const DisplayObject& label) {
    if (!mdi_) return;
    ToolbarComponent& bar = mdi_->sToolbar;
    if (label.Alignment == 1)
        bar.tool(QStringLiteral("ID_Right")).setState(1);
    else if (label.Alignment == 0)
        bar.tool(QStringLiteral("ID_Left")).setState(1);
    else if (label.Alignment == 2)
        bar.tool(QStringLiteral("ID_Center")).setState(1);
    bar.tool(QStringLiteral("ID_Bold")).setState(label.FontBold ? 1 : 0);
    bar.tool(QStringLiteral("ID_Italic")).setState(label.FontItalic ? 1 : 0);
    bar.tool(QStringLiteral("ID_Underline")).setState(label.FontUnderline ? 1 : 0);
    mdi_->ShowFontSize(label.FontSize);
    bar.tool(QStringLiteral("ID_Font")).comboBox()->setComboText(label.FontName);
}

void frmDisplay::CheckLabelAlign() {
    if (!mdi_ || !ClickedObject || ClickedObject->kind != ObjectKind::Text) return;
    static const char* const kTools[] = {"ID_Left", "ID_Right", "ID_Center"};
    if (ClickedObject->Alignment >= 0 && ClickedObject->Alignment <= 2)
        mdi_->sToolbar.tool(QString::fromLatin1(kTools[ClickedObject->Alignment])).setState(1);
}

}  // namespace natalory
