#include "shell/ToolbarComponent.h"

#include "foundation/FileIO.h"
#include "shell/Icons.h"

#include <QActionGroup>
#include <QComboBox>
#include <QCursor>
#include <QDataStream>
#include <QHBoxLayout>
#include <QIODevice>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <stdexcept>

namespace natalory {
namespace {

constexpr quint32 kLayoutMagic = 0x4E544C53;  // "NTLS"
// Version 2 adds the main window's size and place after the tools' states.
constexpr qint32 kLayoutVersion = 2;
constexpr qint32 kLayoutWithoutGeometry = 1;

QString WithoutAccessKey(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

}  // namespace

// ---- ComboTool ---------------------------------------------------------------

ComboTool::ComboTool(const ToolDef& def, QObject* parent) : QWidgetAction(parent), editable_(def.editable) {
    QAction::setText(def.caption);
    for (const QString& item : def.items) items_.emplace_back(item, item);
}

void ComboTool::clear() {
    items_.clear();
    index_ = -1;
    refreshWidgets();
}

void ComboTool::addItem(const QString& text, const QString& data) {
    items_.emplace_back(text, data);
    refreshWidgets();
}

QString ComboTool::itemText(int index) const {
    return index >= 0 && index < count() ? items_[size_t(index)].first : QString();
}

QString ComboTool::itemData(int index) const {
    return index >= 0 && index < count() ? items_[size_t(index)].second : QString();
}

void ComboTool::setComboText(const QString& text) {
    // QAction's own text is the caption; the combo's text is kept apart.
    if (text_ == text) return;
    text_ = text;
    index_ = -1;
    for (int i = 0; i < count(); ++i)
        if (items_[size_t(i)].first == text) index_ = i;
    refreshWidgets();
}

void ComboTool::setListIndex(int index) {
    index_ = index >= 0 && index < count() ? index : -1;
    if (index_ >= 0) text_ = items_[size_t(index_)].first;
    refreshWidgets();
}

bool ComboTool::firstOfThisKeyPress() {
    // One Enter in an editable box arrives as a return and, for an entry of the list, an
    // activation as well: the user chose once, so the tool closes up once.
    if (choosing_) return false;
    choosing_ = true;
    QTimer::singleShot(0, this, [this] { choosing_ = false; });
    return true;
}

void ComboTool::refreshWidgets() {
    for (const QPointer<QComboBox>& box : boxes_) {
        if (!box) continue;
        const QSignalBlocker block(box);
        if (box->count() != count() ||
            std::any_of(items_.begin(), items_.end(),
                        [&, i = 0](const auto& item) mutable { return box->itemText(i++) != item.first; })) {
            box->clear();
            for (const auto& [text, data] : items_) box->addItem(text, data);
        }
        box->setCurrentIndex(index_);
        if (box->isEditable()) box->setEditText(text_);
    }
}

QWidget* ComboTool::createWidget(QWidget* parent) {
    auto* box = new QComboBox;
    box->setEditable(editable_);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setToolTip(toolTip());
    box->setAccessibleName(WithoutAccessKey(QAction::text()));
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    if (objectName() == u"ID_Font") box->setMinimumContentsLength(16);
    boxes_.emplace_back(box);
    refreshWidgets();

    connect(box, &QComboBox::activated, this, [this, box](int index) {
        if (!firstOfThisKeyPress()) return;
        index_ = index;
        text_ = box->itemText(index);
        refreshWidgets();
        emit closeUp();
    });
    if (box->lineEdit()) {
        connect(box->lineEdit(), &QLineEdit::returnPressed, this, [this, box] {
            // The combo box itself chooses a typed entry of its list, through activated().
            if (!firstOfThisKeyPress()) return;
            setComboText(box->currentText());
            emit closeUp();
        });
    }

    if (qobject_cast<QMenu*>(parent)) {
        auto* holder = new QWidget(parent);
        auto* layout = new QHBoxLayout(holder);
        layout->setContentsMargins(24, 2, 8, 2);
        auto* label = new QLabel(QAction::text(), holder);
        label->setBuddy(box);
        layout->addWidget(label);
        layout->addWidget(box, 1);
        return holder;
    }
    box->setParent(parent);
    return box;
}

// ---- DropDownTool --------------------------------------------------------------

QWidget* DropDownTool::createWidget(QWidget* parent) {
    auto* bar = qobject_cast<QToolBar*>(parent);
    if (!bar) return nullptr;
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* main = new QToolButton(holder);
    main->setAutoRaise(true);
    main->setToolButtonStyle(bar->toolButtonStyle());
    main->setIconSize(bar->iconSize());
    connect(bar, &QToolBar::iconSizeChanged, main, &QToolButton::setIconSize);
    auto* arrow = new QToolButton(holder);
    arrow->setAutoRaise(true);
    arrow->setArrowType(Qt::DownArrow);
    arrow->setFixedWidth(16);
    layout->addWidget(main);
    layout->addWidget(arrow);
    const auto sync = [this, main, arrow] {
        main->setText(WithoutAccessKey(text()));
        main->setIcon(icon());
        main->setToolTip(toolTip());
        arrow->setToolTip(toolTip());
        main->setEnabled(isEnabled());
        arrow->setEnabled(isEnabled());
    };
    sync();
    connect(this, &QAction::changed, main, sync);
    connect(main, &QToolButton::clicked, this, [this] { trigger(); });
    connect(arrow, &QToolButton::clicked, this, &DropDownTool::dropDown);
    return holder;
}

// ---- Tool --------------------------------------------------------------------

int Tool::state() const {
    if (def_.kind == ToolKind::Toggle) return action_->isChecked() ? 1 : 0;
    return plainState_;
}

void Tool::setState(int state) {
    if (def_.kind == ToolKind::Toggle)
        action_->setChecked(state != 0);
    else
        plainState_ = state;
}

bool Tool::visible() const {
    return action_->isVisible();
}
void Tool::setVisible(bool visible) {
    if (action_->isVisible() == visible) return;
    action_->setVisible(visible);
    owner_->updateSeparators();
}
bool Tool::enabled() const {
    return action_->isEnabled();
}
void Tool::setEnabled(bool enabled) {
    action_->setEnabled(enabled);
}
QString Tool::caption() const {
    return action_->text();
}

void Tool::setCaption(const QString& caption) {
    action_->setText(caption);
    if (menu_) menu_->setTitle(caption);
}

// ---- Band --------------------------------------------------------------------

bool Band::visible() const {
    return menuBar_ ? !window_->menuBar()->isHidden() : !toolBar_->isHidden();
}

void Band::setVisible(bool visible) {
    if (menuBar_)
        window_->menuBar()->setVisible(visible);
    else
        toolBar_->setVisible(visible);
}

void Band::setDocking(int line, int position) {
    line_ = line;
    position_ = position;
    if (!menuBar_) owner_->arrangeBands();
}

// ---- ToolbarComponent ----------------------------------------------------------

ToolbarComponent::ToolbarComponent(QMainWindow* window, const ToolCatalogue& catalogue)
    : QObject(window), window_(window) {
    for (const ToolDef& def : catalogue.tools) createTool(def);
    for (auto& tool : tools_)
        if (tool->menu_) fillMenu(*tool);
    for (const BandDef& def : catalogue.bands) buildBand(def);
}

ToolbarComponent::~ToolbarComponent() = default;

void ToolbarComponent::createTool(const ToolDef& def) {
    auto tool = std::make_unique<Tool>();
    tool->def_ = def;
    tool->owner_ = this;
    Tool* t = tool.get();

    switch (def.kind) {
        case ToolKind::Menu:
            t->menu_ = new QMenu(def.caption, window_);
            t->menu_->setObjectName(def.id);
            t->action_ = t->menu_->menuAction();
            break;
        case ToolKind::Combo:
            t->combo_ = new ComboTool(def, window_);
            t->action_ = t->combo_;
            connect(t->combo_, &ComboTool::closeUp, this, [this, t] { emit comboCloseUp(*t); });
            break;
        case ToolKind::Button:
        case ToolKind::Toggle:
            if (def.dropDown) {
                auto* drop = new DropDownTool(window_);
                connect(drop, &DropDownTool::dropDown, this, [this, t] { emit toolDropDown(*t); });
                t->action_ = drop;
            } else {
                t->action_ = new QAction(window_);
            }
            t->action_->setText(def.caption);
            t->action_->setCheckable(def.kind == ToolKind::Toggle);
            connect(t->action_, &QAction::triggered, this, [this, t] { emit toolClick(*t); });
            break;
    }
    t->action_->setObjectName(def.id);
    if (!def.icon.isEmpty()) {
        t->action_->setIcon(ToolIcon(def.icon));
        // A menu draws a pressed toggle's icon sunken, which hardly shows: its entry
        // keeps the check mark (the radio mark in the Align group) instead.
        t->action_->setIconVisibleInMenu(def.kind != ToolKind::Toggle);
    }
    if (!def.description.isEmpty()) {
        t->action_->setToolTip(def.description);
        t->action_->setStatusTip(def.description);
    }
    if (!def.shortcut.isEmpty()) {
        // Several key combinations are separated by ";".
        QList<QKeySequence> keys;
        for (const QString& k : def.shortcut.split(u';')) keys << QKeySequence(k.trimmed());
        t->action_->setShortcuts(keys);
        window_->addAction(t->action_);
    }
    if (!def.group.isEmpty()) {
        QActionGroup*& group = groups_[def.group];
        if (!group) {
            group = new QActionGroup(this);
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        }
        group->addAction(t->action_);
    }
    byId_[def.id] = t;
    tools_.push_back(std::move(tool));
}

void ToolbarComponent::fillMenu(Tool& menuTool) {
    for (const QString& id : menuTool.def_.items) {
        if (id == kSeparator) {
            menuTool.menu_->addSeparator();
            continue;
        }
        Tool& entry = tool(id);
        menuTool.menu_->addAction(entry.action_);
        if (!entry.def_.submenu.isEmpty()) entry.action_->setMenu(tool(entry.def_.submenu).menu_);
    }
}

void ToolbarComponent::buildBand(const BandDef& def) {
    auto band = std::make_unique<Band>();
    band->name_ = def.name;
    band->owner_ = this;
    band->window_ = window_;
    band->menuBar_ = def.menuBar;
    band->position_ = int(bands_.size());
    if (def.menuBar) {
        for (const QString& id : def.tools) window_->menuBar()->addAction(tool(id).action_);
    } else {
        auto* bar = new QToolBar(def.name, window_);
        bar->setObjectName(def.name);
        // A tool without an icon shows its caption alone.
        bar->setToolButtonStyle(def.iconsOnly ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
        for (const QString& id : def.tools) {
            if (id == kSeparator)
                bar->addSeparator();
            else
                bar->addAction(tool(id).action_);
        }
        window_->addToolBar(Qt::TopToolBarArea, bar);
        band->toolBar_ = bar;
    }
    bands_.push_back(std::move(band));
}

void ToolbarComponent::arrangeBands() {
    std::vector<Band*> order;
    for (auto& b : bands_)
        if (!b->menuBar_) order.push_back(b.get());
    std::stable_sort(order.begin(), order.end(), [](const Band* a, const Band* b) {
        return std::pair(a->line_, a->position_) < std::pair(b->line_, b->position_);
    });
    for (Band* b : order)
        if (window_->toolBarBreak(b->toolBar_)) window_->removeToolBarBreak(b->toolBar_);
    int line = order.empty() ? 0 : order.front()->line_;
    for (Band* b : order) {
        const bool hidden = b->toolBar_->isHidden();
        if (b->line_ != line) {
            window_->addToolBarBreak(Qt::TopToolBarArea);
            line = b->line_;
        }
        window_->addToolBar(Qt::TopToolBarArea, b->toolBar_);
        b->toolBar_->setHidden(hidden);
    }
}

// A toolbar separator shows only between two groups that each still have a visible
// tool; menus collapse their own separators.
void ToolbarComponent::updateSeparators() {
    for (auto& b : bands_) {
        if (!b->toolBar_) continue;
        const QList<QAction*> actions = b->toolBar_->actions();
        QAction* pending = nullptr;
        bool toolBefore = false;
        for (QAction* a : actions) {
            if (a->isSeparator()) {
                if (toolBefore)
                    pending = a;
                else
                    a->setVisible(false);
                toolBefore = false;
                continue;
            }
            if (!a->isVisible()) continue;
            if (pending) pending->setVisible(true);
            pending = nullptr;
            toolBefore = true;
        }
        if (pending) pending->setVisible(false);
    }
}

Tool* ToolbarComponent::findTool(const QString& id) {
    auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

Tool& ToolbarComponent::tool(const QString& id) {
    if (Tool* t = findTool(id)) return *t;
    throw std::logic_error("unknown tool " + id.toStdString());
}

Band& ToolbarComponent::band(const QString& name) {
    for (auto& b : bands_)
        if (b->name_ == name) return *b;
    throw std::logic_error("unknown band " + name.toStdString());
}

void ToolbarComponent::popupMenu(const QString& menuId, std::optional<QPoint> at) {
    if (QMenu* menu = tool(menuId).menu_) menu->popup(at.value_or(QCursor::pos()));
}

bool ToolbarComponent::saveLayout(const QString& path, QString* error) const {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kLayoutMagic << kLayoutVersion << window_->saveState(kLayoutVersion);
    out << qint32(tools_.size());
    for (const auto& t : tools_) out << t->id() << qint32(t->state());
    out << window_->saveGeometry();
    return WriteFileAtomically(path, bytes, error, FileAccess::Private);
}

bool ToolbarComponent::loadLayout(const QString& path, QString* error) {
    const auto bytes = ReadFileBytes(path, error);
    if (!bytes) return false;
    QDataStream in(*bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    qint32 version = 0;
    QByteArray windowState;
    qint32 count = 0;
    in >> magic >> version >> windowState >> count;
    if (in.status() != QDataStream::Ok || magic != kLayoutMagic ||
        (version != kLayoutVersion && version != kLayoutWithoutGeometry) || count < 0 || count > 10000) {
        if (error) *error = QStringLiteral("not a toolbar layout file");
        return false;
    }
    std::vector<std::pair<QString, qint32>> states;
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString id;
        qint32 state = 0;
        in >> id >> state;
        states.emplace_back(id, state);
    }
    QByteArray geometry;
    if (version == kLayoutVersion) in >> geometry;
    if (in.status() != QDataStream::Ok || !window_->restoreState(windowState, version)) {
        if (error) *error = QStringLiteral("the toolbar layout file is damaged");
        return false;
    }
    for (const auto& [id, state] : states)
        if (Tool* t = findTool(id)) t->setState(state);
    // Restoring moves a window that would lie off the screens now attached back onto one.
    if (!geometry.isEmpty()) window_->restoreGeometry(geometry);
    return true;
}

}  // namespace natalory
