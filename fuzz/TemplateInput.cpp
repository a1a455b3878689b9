#include "TemplateInput.h"

namespace natalory::fuzz {

void LoadFuzzTemplate(LoadedTemplate& t, QByteArrayView bytes, const QString& name) {
    const QString path = WriteProgramFile(name, bytes);
    t.state.ProgramFolder = ProgramFolder();
    t.state.birthday.BirthDate = QDate(1950, 1, 15);
    t.state.birthday.FirstName = QStringLiteral("Anna");
    t.state.birthday.LastName = QStringLiteral("Lee");
    t.state.birthday.PrintType = ptUserTemplate;
    t.state.birthday.CustomTemplatePath = path;
    t.error = LoadTemplateFile(path, t.doc, t.state, t.prompt, nullptr,
                               QLocale(QLocale::English, QLocale::UnitedStates));
}

}  // namespace natalory::fuzz
