#pragma once

#include "document/DisplayObjects.h"
#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QLocale>
#include <QSize>
#include <QString>

#include <optional>

namespace natalory {

inline constexpr auto kNewspaperTemplate = "news.al!";
inline constexpr auto kClassyTemplate = "classy.al!";
inline constexpr auto kBlankTemplate = "blank.al!";
inline constexpr auto kPlaceholderPicture = "nopicfound.ico";
// The version written into a template's header (readers ignore it).
inline constexpr auto kTemplateVersion = "4.2.0";

// Why a template could not be read: shown as "Error In Template File".
struct TemplateError {
    int number = 0;
    QString source;       // the file
    QString description;  // where and what, in words a user can act on
};

// Error numbers of the template reader.
enum TemplateErrorNumbers {
    teFileNotFound = 53,
    teCannotRead = 75,
    teEndsEarly = 62,
    teWrongType = 13,
};

inline constexpr auto kTemplateErrorTitle = "Template File Problem";
QString TemplateErrorMessage(const TemplateError& error);

// The template file of the print's style.
QString TemplatePathFor(const AppState& state);

// Reads a template onto a canvas that holds no objects yet: page setup, data
// settings, the birth year's headlines of its set, then every object in file
// order, info objects written for the current birthday. On an error the objects
// read so far stay and the error is returned. `canvasSize` gets the printable
// area when the page's orientation is known.
std::optional<TemplateError> LoadTemplateFile(const QString& path, CanvasDocument& doc, AppState& state,
                                              Prompt& prompt, std::optional<QSize>* canvasSize = nullptr,
                                              const QLocale& locale = QLocale());

// Reads a template's text as LoadTemplateFile reads a file (the clipboard carries objects so).
std::optional<TemplateError> ReadTemplateText(const QString& text, const QString& source, CanvasDocument& doc,
                                              AppState& state, Prompt& prompt, const QLocale& locale = QLocale());

// Builds the print of state's style on a canvas that holds no objects yet: the
// template of PrintType, read as LoadTemplateFile reads it, over a start of every
// economic item and headline set 1 for a template that cannot be read.
std::optional<TemplateError> LoadTemplate(CanvasDocument& doc, AppState& state, Prompt& prompt,
                                          std::optional<QSize>* canvasSize = nullptr,
                                          const QLocale& locale = QLocale());

// The bytes a save writes: header, data settings, then every visible object, bottom to top.
// `problem` says why the text cannot be stored when that is so.
QByteArray TemplateBytes(const CanvasDocument& doc, const AppState& state, QString* problem = nullptr);

// Colours are stored as the Windows colour number (red + 256 green + 65536 blue).
qint64 ColorToStored(QRgb color);
QRgb ColorFromStored(qint64 stored);

// Asks where to save the canvas as a template and writes it there. Sets
// SaveCancelled when nothing was saved because the user stopped it, or because
// writing failed (the work stays unsaved and the print open); clears TemplateChanged
// on success. The file written, or nothing.
std::optional<QString> SaveTemplate(const CanvasDocument& doc, AppState& state, Services& services);

}  // namespace natalory
