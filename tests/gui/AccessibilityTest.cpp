// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiSupport.h"
#include "gui/ColoursDialogView.h"
#include "gui/PreviewWindow.h"
#include "gui/RawDialogView.h"

namespace tessera {
namespace {

using Accessibility = test::GuiFixture;

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// Every object under `node`, as a screen reader walks them.
void collect(QAccessibleInterface* node, std::vector<QAccessibleInterface*>& all) {
    for (int i = 0; i < node->childCount(); ++i) {
        all.push_back(node->child(i));
        collect(node->child(i), all);
    }
}

// Each window is a frame (the RAW and "Colours..." dialogs are dialogs). In each, every object
// but a plain container has a name and no two objects have the same role and name (a label may
// repeat the name of the control it labels); the main window exposes nothing it hides.
TEST_F(Accessibility, WindowsAreFramesAndEveryObjectHasANameOfItsOwn) {
    window.show();
    ASSERT_TRUE(drop("tiles.bmp", test::buildBmp(test::Picture::pattern(16, 8, 8))));
    window.showPreview();
    DialogRAW raw(form.lblIMGWidth, form.lblIMGHeight, form.lblIMGbpp);
    gui::RawDialogView rawView(raw, &window);
    DialogColours colours{.transparentRgb = 0x00FF00};
    gui::ColoursDialogView coloursView(colours, &window);
    struct Row {
        QWidget* window;
        QAccessible::Role role;
    };
    for (const Row& row : {Row{.window = &window, .role = QAccessible::Window},
                           Row{.window = window.preview(), .role = QAccessible::Window},
                           Row{.window = &rawView, .role = QAccessible::Dialog},
                           Row{.window = &coloursView, .role = QAccessible::Dialog}}) {
        QAccessibleInterface* root = accessible(row.window);
        const std::string title = row.window->windowTitle().toStdString();
        EXPECT_EQ(root->role(), row.role) << title;
        std::vector<QAccessibleInterface*> all;
        collect(root, all);
        std::set<std::pair<int, QString>> seen;
        for (QAccessibleInterface* node : all) {
            const QString name = node->text(QAccessible::Name);
            const std::string where = title + ": " + name.toStdString();
            const bool container =
                node->role() == QAccessible::Client || node->role() == QAccessible::Grouping;
            EXPECT_TRUE(container || !name.isEmpty()) << where;
            const bool labelOnly = !node->relations(QAccessible::Labelled).isEmpty();
            EXPECT_TRUE(labelOnly || seen.insert({node->role(), name}).second) << where;
            EXPECT_TRUE(row.window != &window || !node->state().invisible) << where;
        }
    }
}

// What a screen reader says of the controls whose captions alone would mislead it: the convert
// buttons keep their captions and tell their side; the bar under "Convertion Statut" is a
// progress bar; the information panels are text to read; the zoom box is "Zoom".
TEST_F(Accessibility, RolesNamesAndLabelsOfTheControls) {
    ASSERT_TRUE(drop("tiles.bmp", test::buildBmp(test::Picture::pattern(16, 8, 8))));
    window.showPreview();
    QWidget* zoom = window.preview()->findChild<QSpinBox*>();
    QLabel* status = nullptr;
    for (auto* label : window.preview()->findChildren<QLabel*>())
        status = label->accessibleName() == "Picture infos" ? label : status;
    ASSERT_TRUE(zoom && status);
    struct Row {
        QWidget* widget;
        QAccessible::Role role;
        QString name;
        QWidget* labelledBy = nullptr;
    };
    const Row rows[] = {
        {window.widget(form.cmdBMPConvert), QAccessible::Button,
         "Convert in a New File... (picture)"},
        {window.widget(form.cmdBMPConvertAdd), QAccessible::Button,
         "Add to an Existing File... (picture)"},
        {window.widget(form.cmdWAVConvert), QAccessible::Button,
         "Convert in a New File... (sound)"},
        {window.widget(form.cmdWAVConvertAdd), QAccessible::Button,
         "Add to an Existing File... (sound)"},
        {window.widget(form.lblPercent), QAccessible::ProgressBar, "Convertion Statut",
         window.widget(form.Label3)},
        {window.widget(form.lblBMPName), QAccessible::StaticText, "File infos",
         window.widget(form.Label2)},
        {window.widget(form.txtVar), QAccessible::EditableText, "Array Variable Name",
         window.widget(form.Label1)},
        {zoom, QAccessible::SpinBox, "Zoom"},
        {status, QAccessible::StaticText, "Picture infos"},
    };
    for (const Row& row : rows) {
        QAccessibleInterface* node = accessible(row.widget);
        EXPECT_EQ(node->role(), row.role) << row.name.toStdString();
        EXPECT_EQ(node->text(QAccessible::Name), row.name);
        if (row.labelledBy) {
            const auto labels = node->relations(QAccessible::Label);
            ASSERT_EQ(labels.size(), 1) << row.name.toStdString();
            EXPECT_EQ(labels.first().first->object(), row.labelledBy);
        }
    }
    EXPECT_EQ(accessible(zoom)->valueInterface()->currentValue(), 2);
    // The panels' texts, line by line as they show.
    auto* info = accessible(window.widget(form.lblBMPName))->textInterface();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->text(0, info->characterCount()),
              QString::fromStdString(form.lblBMPName.Caption).replace("\r\n", "\n"));
    int lineStart = 0, lineEnd = 0;
    EXPECT_EQ(info->textAtOffset(17, QAccessible::LineBoundary, &lineStart, &lineEnd),
              "tiles.bmp\n");
    auto* statusText = accessible(status)->textInterface();
    ASSERT_TRUE(statusText);
    EXPECT_EQ(statusText->text(0, statusText->characterCount()), "16 x 8, 8-bit indices");
}

// The progress bar's value is the share of a full bar in percent, the design's thin sliver at
// the start counting as none.
TEST_F(Accessibility, ProgressBarValueFollowsTheBar) {
    QAccessibleValueInterface* bar = accessible(window.widget(form.lblPercent))->valueInterface();
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->currentValue(), 0);
    EXPECT_EQ(bar->maximumValue(), 100);
    struct Row {
        double twips;
        int percent;
    };
    for (const Row& row :
         {Row{.twips = Form1::kConvertedProgress, .percent = 58},
          Row{.twips = Form1::kFullProgress, .percent = 100}, Row{.twips = 15, .percent = 0}}) {
        window.showProgress(row.twips);
        EXPECT_EQ(bar->currentValue(), row.percent) << row.twips;
    }
}

// Each swatch of the palette is an item named by its entry, its GP32 value and the colour shown,
// placed where it is drawn.
TEST_F(Accessibility, PaletteSwatchesAreNamedItems) {
    ASSERT_TRUE(drop("tiles.bmp", test::buildBmp(test::Picture::pattern(5, 4, 8))));
    window.showPreview();
    gui::SwatchView* view = nullptr;
    for (QWidget* w : window.preview()->findChildren<QWidget*>())
        view = view ? view : dynamic_cast<gui::SwatchView*>(w);
    ASSERT_TRUE(view);
    QAccessibleInterface* list = accessible(view);
    const std::vector<std::uint16_t>& palette = window.preview()->picture().palette;
    ASSERT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), static_cast<int>(palette.size()));
    for (const int entry : {0, 17, list->childCount() - 1}) {
        QAccessibleInterface* item = list->child(entry);
        const QRgb shown = gui::shownColour(palette[static_cast<std::size_t>(entry)]);
        EXPECT_EQ(item->role(), QAccessible::ListItem);
        const QString hex = QString::number(palette[static_cast<std::size_t>(entry)], 16).toUpper();
        EXPECT_EQ(item->text(QAccessible::Name),
                  QString("Entry %1: 0x%2, red %3, green %4, blue %5")
                      .arg(entry)
                      .arg(hex.rightJustified(4, '0'))
                      .arg(qRed(shown))
                      .arg(qGreen(shown))
                      .arg(qBlue(shown)));
        EXPECT_EQ(list->indexOfChild(item), entry);
        EXPECT_EQ(item->rect().topLeft(), view->mapToGlobal(view->swatchRect(entry).topLeft()));
    }
}

}  // namespace
}  // namespace tessera
