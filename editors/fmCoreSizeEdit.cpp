#include "fmCoreSizeEdit.h"

#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "CustomCores.h"
#include "EditorRows.h"
#include "FileDialog.h"
#include "FileManagement.h"
#include "Forms.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "NumericBox.h"
#include "Variables.h"
#include "fmTransfo.h"

using namespace zorvic;

std::string fmCoreSizeEdit::CustomListPath;

namespace {

constexpr int InternalRow = 4;  // "E13/7/4", the core of the "E" family a fresh choice starts from
const QString ListFilter = QStringLiteral("Core List (*.zcl)|*.zcl|All Files (*.*)|*.*");
const char* const Families[] = {"E", "RM", "EFD", "Other", "Any"};

QString Text(const std::string& text) { return QString::fromStdString(text); }

float Number(const QLineEdit* box) {
    float value = 0;
    return ParseLocaleNumber(box->text().toStdString(), value) ? value : 0.0f;
}

}  // namespace

fmCoreSizeEdit::fmCoreSizeEdit(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmCoreSizeEdit"));
    setWindowTitle(QStringLiteral("Core Size"));
    platform::Forms::Register(this);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* modes = new QHBoxLayout;
    optInternal = new QRadioButton(QStringLiteral("Internal"), this);
    optInternal->setObjectName(QStringLiteral("optCore0"));
    optCustom = new QRadioButton(QStringLiteral("Custom"), this);
    optCustom->setObjectName(QStringLiteral("optCore1"));
    modes->addWidget(optInternal);
    modes->addWidget(optCustom);
    layout->addLayout(modes);

    auto* lists = new QGridLayout;
    lstType = new QComboBox(this);
    lstType->setObjectName(QStringLiteral("lstType"));
    // "Custom Serie" joins the list later than the window is first shown.
    lstType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lstGeometry = new QComboBox(this);
    lstGeometry->setObjectName(QStringLiteral("lstGeometry"));
    lists->addWidget(new QLabel(QStringLiteral("Type :"), this), 0, 0);
    lists->addWidget(lstType, 0, 1);
    lists->addWidget(new QLabel(QStringLiteral("Geometry :"), this), 1, 0);
    lists->addWidget(lstGeometry, 1, 1);
    layout->addLayout(lists);

    auto* size = new QGroupBox(QStringLiteral("Core Size"), this);
    auto* grid = new QGridLayout(size);
    txtGeometry = new QLineEdit(size);
    txtGeometry->setObjectName(QStringLiteral("txtGeometry"));
    grid->addWidget(txtGeometry, 0, 0, 1, 3);
    struct Row {
        QLineEdit** box;
        const char* caption;
        const char* name;
        const char* unit;
        const char* tip;
    };
    const Row rows[] = {{&txtAe, "Ae", "txtAe", "mm2", "Effective Magnetic Area"},
                        {&txtLe, "Le", "txtLe", "mm", "Mean Magentic Path Lenght"},
                        {&txtLm, "Lm", "txtLm", "mm", "Mean Lenght per Turn"},
                        {&txtW, "W", "txtW", "mm2", "Core Window Area"},
                        {&txtVe, "Ve", "txtVe", "mm3", "Volume"}};
    int r = 1;
    for (const Row& row : rows) {
        const BoxRow made = AddBoxRow(grid, r++, {{}, QString::fromLatin1(row.caption), QString::fromLatin1(row.name),
                                                  QString::fromLatin1(row.unit)});
        made.caption->setToolTip(QString::fromLatin1(row.tip));
        *row.box = made.box;
        new NumericBox(made.box, 0, 0, {}, {}, nullptr);
    }
    cmdEnter = EditorButton(size, QStringLiteral("cmdEnter"), QStringLiteral("Enter / Update"));
    cmdEnter->setToolTip(QStringLiteral("Add to current Custom Serie"));
    cmdDelete = EditorButton(size, QStringLiteral("cmdDelete"), QStringLiteral("Delete"));
    grid->addWidget(cmdEnter, r, 0, 1, 2);
    grid->addWidget(cmdDelete, r, 2);
    layout->addWidget(size);

    auto* base = new QGroupBox(QStringLiteral("DataBase"), this);
    auto* baseRow = new QHBoxLayout(base);
    cmdLoad = EditorButton(base, QStringLiteral("cmdLoad"), QStringLiteral("Load"));
    cmdLoad->setToolTip(QStringLiteral("Load Custom Serie"));
    cmdSave = EditorButton(base, QStringLiteral("cmdSave"), QStringLiteral("Save"));
    cmdSave->setToolTip(QStringLiteral("Save Current Custom Serie"));
    baseRow->addWidget(cmdLoad);
    baseRow->addWidget(cmdSave);
    layout->addWidget(base);
    cmdOk = EditorButton(this, QStringLiteral("cmdOk"), QStringLiteral("OK"));
    layout->addWidget(cmdOk, 0, Qt::AlignRight);

    connect(optInternal, &QRadioButton::clicked, this, &fmCoreSizeEdit::optCore_Click);
    connect(optCustom, &QRadioButton::clicked, this, &fmCoreSizeEdit::optCore_Click);
    connect(lstType, &QComboBox::activated, this, &fmCoreSizeEdit::lstType_Click);
    connect(lstGeometry, &QComboBox::activated, this, &fmCoreSizeEdit::lstGeometry_Click);
    connect(cmdEnter, &QPushButton::clicked, this, &fmCoreSizeEdit::cmdEnter_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &fmCoreSizeEdit::cmdDelete_Click);
    connect(cmdLoad, &QPushButton::clicked, this, &fmCoreSizeEdit::cmdLoad_Click);
    connect(cmdSave, &QPushButton::clicked, this, &fmCoreSizeEdit::cmdSave_Click);
    connect(cmdOk, &QPushButton::clicked, this, &fmCoreSizeEdit::cmdOk_Click);

    ShowGeometry();
    FillGeometryLists();
}

void fmCoreSizeEdit::ShowGeometry() {
    const bool custom = Settings.CustomCoreMode;
    optCustom->setChecked(custom);
    optInternal->setChecked(!custom);
    // An empty custom list has no core to show; the working core stays what it was.
    const CoreGeometry shown = custom && CustomCoreCount <= 0 ? CoreGeometry{} : CurrentCore;
    txtGeometry->setText(Text(shown.Name));
    const std::pair<QLineEdit*, float> values[] = {
        {txtAe, shown.Ae}, {txtLe, shown.Le}, {txtLm, shown.Lm}, {txtW, shown.W}, {txtVe, shown.Ve}};
    for (auto [box, value] : values) {
        box->setText(Text(Format(value, "#0.0")));
        box->setReadOnly(!custom);
    }
    txtGeometry->setReadOnly(!custom);
    for (QPushButton* b : {cmdEnter, cmdDelete, cmdLoad, cmdSave}) b->setEnabled(custom);
}

void fmCoreSizeEdit::FillGeometryLists() {
    lstGeometry->clear();
    lstType->clear();
    SourceCores.clear();
    if (Settings.CustomCoreMode) {
        lstType->addItem(QStringLiteral("Custom Serie"));
        for (int i = 0; i < std::clamp<int>(CustomCoreCount, 0, CustomCoreListSize); ++i)
            SourceCores.push_back(CustomCoreList[static_cast<std::size_t>(i)]);
    } else {
        for (const char* family : Families) lstType->addItem(QString::fromLatin1(family) + QStringLiteral(" Serie"));
        SourceCores.assign(StandardCoreTable.begin(), StandardCoreTable.end());
    }
    Update_List();
    lstType->setCurrentIndex(lstType->findText(Text(Settings.GeometryListType) + QStringLiteral(" Serie")));
    lstGeometry->setCurrentIndex(lstGeometry->findText(Text(CurrentCore.Name)));
}

void fmCoreSizeEdit::Update_List() {
    std::size_t k = 0;
    for (const CoreGeometry& core : SourceCores) {
        if (k >= CandidateCores.size()) break;
        if (Settings.GeometryListType == "Any" || core.Series == Settings.GeometryListType) {
            lstGeometry->addItem(Text(core.Name));
            CandidateCores[k] = core;
            CandidateCoreLast = static_cast<int16_t>(k);
            ++k;
        }
    }
}

void fmCoreSizeEdit::FixGeometry(bool fixed) {
    Settings.UserCoreGeometry = fixed;
    Settings.DesignSaved = false;
    if (auto* transfo = platform::Forms::FindLoaded<fmTransfo>())
        transfo->chkCoreSize->setChecked(fixed);
}

void fmCoreSizeEdit::FirstCustomCore() {
    if (CustomCoreCount > 0) CurrentCore = CustomCoreList[0];
}

void fmCoreSizeEdit::BackToInternal() {
    Settings.CustomCoreMode = false;
    Settings.GeometryListType = "E";
    CurrentCore = StandardCoreTable[InternalRow];
}

void fmCoreSizeEdit::optCore_Click() {
    const bool custom = optCustom->isChecked();
    if (custom == Settings.CustomCoreMode) return;
    if (custom) {
        Settings.CustomCoreMode = true;
        Settings.GeometryListType = "Custom";
        FirstCustomCore();
    } else {
        BackToInternal();
    }
    Settings.DesignSaved = false;
    ShowGeometry();
    FillGeometryLists();
}

void fmCoreSizeEdit::lstType_Click(int entry) {
    // In custom mode the one entry is the custom family itself: choosing it frees the geometry.
    if (entry >= 0 && !Settings.CustomCoreMode && entry < 5) {
        Settings.GeometryListType = Families[entry];
        const std::string& family = Settings.GeometryListType;
        CurrentCore = StandardCoreTable[0];
        for (const CoreGeometry& row : StandardCoreTable)
            if (family != "Any" && row.Series == family) {
                CurrentCore = row;
                break;
            }
    }
    FixGeometry(false);
    ShowGeometry();
    FillGeometryLists();
}

void fmCoreSizeEdit::lstGeometry_Click(int entry) {
    if (entry >= 0 && entry <= CandidateCoreLast) CurrentCore = CandidateCores[static_cast<std::size_t>(entry)];
    FixGeometry(true);
    ShowGeometry();
}

bool fmCoreSizeEdit::AddToCustomList(bool fromCurrent) {
    if (fromCurrent) EditBuffer = CurrentCore;
    const CustomListChange change = zorvic::AddToCustomList(EditBuffer, fromCurrent);
    return change == CustomListChange::Added || change == CustomListChange::Replaced;
}

void fmCoreSizeEdit::cmdEnter_Click() {
    EditBuffer = CoreGeometry{};
    EditBuffer.Series = "Custom";
    EditBuffer.Name = txtGeometry->text().toStdString();
    EditBuffer.Ae = Number(txtAe);
    EditBuffer.Le = Number(txtLe);
    EditBuffer.Lm = Number(txtLm);
    EditBuffer.Ve = Number(txtVe);
    EditBuffer.W = Number(txtW);
    // A refused core never becomes the working core: the design would run on it. The boxes keep
    // what was typed, and the focus goes where the first correction is due.
    if (!AddToCustomList(false)) {
        const CoreField field = CoreFieldToCorrect(EditBuffer);
        // In the order of CoreField; a full list (None) refuses any core, the name box is as good as any.
        QLineEdit* boxes[] = {txtGeometry, txtGeometry, txtAe, txtLe, txtLm, txtW, txtVe};
        QLineEdit* box = boxes[static_cast<std::size_t>(field)];
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        return;
    }
    CurrentCore = EditBuffer;
    Settings.DesignSaved = false;
    ShowGeometry();
    FillGeometryLists();
}

void fmCoreSizeEdit::cmdDelete_Click() {
    if (CustomCoreCount <= 0) return;
    const std::string name = txtGeometry->text().toStdString();
    for (int i = 0; i < CustomCoreCount; ++i) {
        auto& entry = CustomCoreList[static_cast<std::size_t>(i)];
        if (entry.Name != name) continue;
        const auto last = static_cast<std::size_t>(CustomCoreCount - 1);
        entry = CustomCoreCount > 1 ? CustomCoreList[last] : CoreGeometry{};
        CustomCoreList[last] = CoreGeometry{};
        --CustomCoreCount;
        SortCustomList();
        break;
    }
    FirstCustomCore();
    ShowGeometry();
    FillGeometryLists();
}

void fmCoreSizeEdit::cmdLoad_Click() {
    const std::optional<QString> path = platform::ShowFileDialog(
        platform::FileDialogKind::Open, ListFilter, QString::fromStdString(CustomListPath), this);
    if (!path || path->isEmpty()) return;
    CustomListPath = path->toStdString();
    if (LoadCustomCoreList(CustomListPath) != FileStatus::Done) return;
    FirstCustomCore();
    ShowGeometry();
    FillGeometryLists();
}

void fmCoreSizeEdit::cmdSave_Click() {
    const std::optional<QString> path = platform::ShowFileDialog(
        platform::FileDialogKind::Save, ListFilter, QString::fromStdString(CustomListPath), this);
    if (!path || path->isEmpty()) return;
    CustomListPath = path->toStdString();
    // An empty list is told by the engine; a file that could not be written, here, as a project
    // file that could not be saved is. The list itself is unchanged either way.
    if (SaveCustomCoreList(CustomListPath) == FileStatus::NotWritable)
        platform::ShowMessage(QStringLiteral("Cannot Save File : ") + *path, platform::Buttons::OK,
                              QStringLiteral("File Error"), this);
}

void fmCoreSizeEdit::cmdOk_Click() {
    if (Settings.CustomCoreMode && CustomCoreCount <= 0) {
        BackToInternal();
        ShowGeometry();
        FillGeometryLists();
        return;
    }
    if (fmTransfo* transfo = platform::Forms::FindLoaded<fmTransfo>()) transfo->Form_Load();
    accept();
}
