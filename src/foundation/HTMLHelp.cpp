#include "foundation/HTMLHelp.h"

#include "foundation/FileIO.h"

namespace natalory {
namespace {

HTMLHelp HelpFor(const QString& programFolder, HelpViewer& viewer) {
    HTMLHelp help(viewer);
    help.CHMFile = ProgramFile(programFolder, QString::fromLatin1(kHelpFileName));
    help.HHWindow = QString::fromLatin1(kHelpWindowType);
    return help;
}

}  // namespace

void ShowHelpContents(const QString& programFolder, HelpViewer& viewer) {
    HelpFor(programFolder, viewer).HHDisplayContents();
}

void ShowHelpTopic(const QString& programFolder, HelpViewer& viewer, int contextId) {
    HTMLHelp help = HelpFor(programFolder, viewer);
    help.HHTopicID = contextId;
    help.HHDisplayTopicID();
}

}  // namespace natalory
