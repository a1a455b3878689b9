#pragma once

#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QImage>
#include <QRgb>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace natalory {

// The text a new text object starts with, until the user types its own.
inline constexpr auto kNewTextCaption = "New Text Object";


class VectorPicture;

enum class ObjectKind { Text, Picture, Shape, Line };

// Shape codes of a shape object.
enum ShapeCodes {
    shRectangle = 0,
    shSquare = 1,
    shOval = 2,
    shCircle = 3,
    shRoundedRectangle = 4,
    shRoundedSquare = 5
};
// Passed to NewShape for a line.
inline constexpr int kLineShapeKind = 10;

// Line styles of a line object.
enum LineStyles { lsSolid = 1, lsDash = 2, lsDot = 3 };

// One display object of a print. Positions and sizes are twips from the canvas's
// top-left corner. Each kind uses its own properties; the rest stay at their defaults.
struct DisplayObject {
    ObjectKind kind = ObjectKind::Text;
    int index = 0;  // its element in its kind's array
    QString Tag;
    bool Visible = false;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    QString ToolTipText;  // info objects: the kind's display name; pictures: the file's path

    // Text objects.
    QString Caption;
    QString FontName = QStringLiteral("Times New Roman");
    double FontSize = 12;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontStrikethru = false;
    bool FontUnderline = false;
    QRgb ForeColor = qRgb(0, 0, 0);
    int Alignment = 0;  // 0 left, 1 right, 2 centre

    // Texts and pictures: 0 no border, 1 a thin frame. Lines: their style (LineStyles).
    int BorderStyle = 0;
    // Shapes and lines: pen width in pixels of the screen, points on paper.
    int BorderWidth = 1;

    // Pictures.
    bool Stretch = false;
    QImage Picture;
    // A drawing's vectors, drawn instead of `Picture` wherever the picture is drawn.
    std::shared_ptr<const VectorPicture> PictureVector;

    // Shapes.
    int Shape = shRectangle;

    // Lines.
    int X1 = 0;
    int Y1 = 0;
    int X2 = 0;
    int Y2 = 0;

    QChar kindLetter() const { return Tag.isEmpty() ? QChar() : Tag[0]; }
    // The generator key of an info object ("T" + key); empty for a plain text object.
    QString infoKey() const { return kind == ObjectKind::Text ? Tag.mid(1) : QString(); }
};

// The kind codes the renderer and the text-fit pass classify canvas controls by.
int ControlKind(const DisplayObject& object);
inline constexpr int kHandleControlKind = 2;
// The editor's sizing handles, counted as controls of the canvas.
inline constexpr int kHandleCount = 8;
inline constexpr int kMaxControls = 200;
inline constexpr auto kTooManyObjects = "Too many objects, the maximum is 200.";

// The display objects of the open print: an array per kind whose element 0 exists,
// hidden, from the start, and one stacking order, bottom to top.
class CanvasDocument {
  public:
    CanvasDocument();
    CanvasDocument(CanvasDocument&&) = default;
    CanvasDocument& operator=(CanvasDocument&&) = default;
    // A copy element for element, in the same stacking order (pictures are shared, not copied).
    CanvasDocument copy() const;

    // lblObject, pPic, sShape, lLineObject: the element at `index`, or null where none is loaded.
    DisplayObject* element(ObjectKind kind, int index) const;
    int UBound(ObjectKind kind) const;
    DisplayObject* lblObject(int index) const { return element(ObjectKind::Text, index); }
    DisplayObject* pPic(int index) const { return element(ObjectKind::Picture, index); }
    DisplayObject* sShape(int index) const { return element(ObjectKind::Shape, index); }
    DisplayObject* lLineObject(int index) const { return element(ObjectKind::Line, index); }

    // Every loaded object, bottom to top: the canvas's control order.
    const std::vector<DisplayObject*>& stacking() const { return stacking_; }
    // Controls on the canvas: every loaded element, element 0 of each array and the handles included.
    int controlCount() const;

    // Loads a new element at UBound + 1, on top of the others.
    DisplayObject& load(ObjectKind kind);
    // Element 0 is only hidden; any other element is unloaded.
    void remove(DisplayObject& object);
    void bringToFront(DisplayObject& object);
    void sendToBack(DisplayObject& object);
    bool contains(const DisplayObject* object) const;
    // Puts the loaded objects in this stacking order (the same objects, reordered).
    void setStacking(std::vector<DisplayObject*> order);

    // An element taken off the canvas whole, with its place in the stacking, so that
    // it can be put back exactly as it was (the editor's undo).
    struct Detached {
        std::unique_ptr<DisplayObject> object;
        int stackPosition = 0;
    };
    // Not for element 0, which is only ever hidden.
    Detached detach(DisplayObject& object);
    DisplayObject& attach(Detached detached);

  private:
    std::array<std::vector<std::unique_ptr<DisplayObject>>, 4> arrays_;
    std::vector<DisplayObject*> stacking_;
};

// Asks the user for a picture for `object` and loads it there; the chosen path, or nothing.
using PictureChooser = std::function<std::optional<QString>(DisplayObject& object)>;

// The creation procedures: each checks the 200-control limit first and, at the
// limit, says so and creates nothing (null). Outside a batch they mark the template changed.
DisplayObject* NewLabel(CanvasDocument& doc, AppState& state, Prompt& prompt);
DisplayObject* NewPicture(CanvasDocument& doc, AppState& state, Prompt& prompt, bool askForPicture,
                          const PictureChooser& choose = {});
DisplayObject* NewShape(CanvasDocument& doc, AppState& state, Prompt& prompt, int shapeKind);

// Frames every text and picture, hidden ones and element 0 included, or takes the frames away.
void SetBorders(CanvasDocument& doc, bool show);

}  // namespace natalory
