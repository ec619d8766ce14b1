#include "gui/TemplateSettingsDialog.h"

#include "gui/GuiTexts.h"
#include "gui/MessageBoxes.h"
#include "gui/templatesettings/SettingsPages.h"
#include "gui/templatesettings/SettingsTexts.h"
#include "template/Codepage936.h"
#include "template/TemplateWriter.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>

namespace quillmark::gui {

namespace {

QString qt(const char* text) { return QString::fromUtf8(text); }

QPushButton* plainButton(const char* label, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(qt(label), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);  // neither button is the default one
    return button;
}

// The pages are read back in this order of tabs; each writes only its own
// members, so the order changes no result.
constexpr std::array<std::size_t, 9> kReadOrder{0, 4, 5, 6, 7, 8, 1, 2, 3};

}  // namespace

TemplateSettingsDialog::TemplateSettingsDialog(const FormatTemplate& current, QWidget* parent)
    : TemplateSettingsDialog(current, installedFontLists(current), parent) {}

TemplateSettingsDialog::TemplateSettingsDialog(const FormatTemplate& current, const FontLists& fonts, QWidget* parent)
    : QDialog(parent), copy_(current) {
    setObjectName(QStringLiteral("templateSettingsDialog"));
    setWindowTitle(qt(texts::kSettingsTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildThesisTypeBar());
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("templatePages"));
    layout->addWidget(tabs_, 1);
    addPages(fonts);
    showTemplate();
}

TemplateSettingsDialog::~TemplateSettingsDialog() = default;

QWidget* TemplateSettingsDialog::buildThesisTypeBar() {
    auto* group = new QGroupBox(qt(texts::kThesisTypeGroup), this);
    auto* row = new QHBoxLayout(group);
    bachelor_ = new QRadioButton(qt(texts::kBachelor), group);
    bachelor_->setObjectName(QStringLiteral("bachelorRadio"));
    master_ = new QRadioButton(qt(texts::kMaster), group);
    master_->setObjectName(QStringLiteral("masterRadio"));
    row->addSpacing(40);
    row->addWidget(bachelor_);
    row->addSpacing(16);
    row->addWidget(master_);
    row->addStretch(1);

    QPushButton* saveAs = plainButton(texts::kSaveTemplateAs, QStringLiteral("saveAsButton"), group);
    QPushButton* ok = plainButton(texts::kOk, QStringLiteral("confirmButton"), group);
    QPushButton* cancel = plainButton(texts::kCancel, QStringLiteral("cancelButton"), group);
    connect(saveAs, &QPushButton::clicked, this, &TemplateSettingsDialog::saveAsChosenFile);
    connect(ok, &QPushButton::clicked, this, &TemplateSettingsDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    row->addWidget(saveAs);
    row->addWidget(ok);
    row->addWidget(cancel);
    return group;
}

void TemplateSettingsDialog::addPages(const FontLists& fonts) {
    pages_ = {
        new PageSetFace(fonts),       new PageSetMasFace1(fonts), new PageSetMasFace2(fonts),
        new PageSetMasFaceEng(fonts), new PageSetAbsC(fonts),     new PageSetAbsE(fonts),
        new PageSetText(fonts),       new PageSetPicTable(fonts), new PageSetSelItem,
    };
    for (TemplatePage* page : pages_) tabs_->addTab(page, page->tabTitle());
    tabs_->setCurrentIndex(0);
}

void TemplateSettingsDialog::showTemplate() {
    (copy_.thesisType == kBachelorThesis ? bachelor_ : master_)->setChecked(true);
    for (TemplatePage* page : pages_) page->showTemplate(copy_);
}

void TemplateSettingsDialog::readPages(FormatTemplate& target) const {
    for (std::size_t tab : kReadOrder) pages_[tab]->readTemplate(target);
    target.thesisType = bachelor_->isChecked() ? kBachelorThesis : kMasterThesis;
}

FormatTemplate TemplateSettingsDialog::shownValues() const {
    FormatTemplate values = copy_;
    readPages(values);
    return values;
}

void TemplateSettingsDialog::confirm() {
    readPages(copy_);
    if (runInProgress_ && runInProgress_()) messages().showMessage(texts::kTemplateWaitsForRun);
    accept();
}

bool TemplateSettingsDialog::saveAs(const QString& path) const {
    const std::string bytes = utf8ToGbk(formatTemplateFile(shownValues()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return file.commit();
}

void TemplateSettingsDialog::saveAsChosenFile() {
    const QString path = chooseSaveTarget();
    if (path.isEmpty()) return;
    if (!saveAs(path)) messages().showMessage(std::string(texts::kTemplateSaveFailed) + path.toStdString());
}

QString TemplateSettingsDialog::chooseSaveTarget() {
    if (chooseSaveTarget_) return chooseSaveTarget_(this);
    QFileDialog dialog(this, qt(texts::kSaveTemplateTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(qt(texts::kTemplateFilter));
    dialog.setDefaultSuffix(QStringLiteral("ini"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

UserMessages& TemplateSettingsDialog::messages() {
    if (messages_ == nullptr) {
        ownMessages_ = std::make_unique<MessageBoxes>(this);
        messages_ = ownMessages_.get();
    }
    return *messages_;
}

}  // namespace quillmark::gui
