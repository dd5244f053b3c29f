#include "gui/QtDialogs.h"

#include "gui/QtText.h"

#include <QFileDialog>
#include <QInputDialog>

namespace tarnwick::gui {

std::optional<std::string> ShowQtInputBox(std::string_view caption, std::string_view prompt,
                                          std::string_view defaultText)
{
    QInputDialog dialog;
    dialog.setWindowTitle(ToQString(caption));
    dialog.setLabelText(ToQString(prompt));
    dialog.setTextValue(ToQString(defaultText));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Cancel"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return FromQString(dialog.textValue());
}

QStringList NameFiltersOf(std::string_view filter)
{
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(
            parts[i], QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
    return filters;
}

std::optional<std::string> ShowQtSaveDialog(const ui::TSaveDialogOptions& options)
{
    QFileDialog dialog;
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(NameFiltersOf(options.Filter));
    dialog.setDefaultSuffix(ToQString(options.DefaultExt));
    dialog.selectFile(ToQString(options.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FromQString(dialog.selectedFiles().constFirst());
}

} // namespace tarnwick::gui
