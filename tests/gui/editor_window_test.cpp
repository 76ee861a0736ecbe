#include "ui/qt/editor_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>

#include "gui_test_support.h"

namespace tesu {
namespace {

using namespace testing;

// "; 板の輪郭", "①髙" (an NEC and an IBM extension) and "追加" in code page 932.
const QByteArray LABEL("; \x94\xc2\x82\xcc\x97\xd6\x8a\x73");
const QByteArray EXTENSIONS("\x87\x40\xfb\xfc");
const QByteArray ADDED("\x92\xc7\x89\xc1");

class EditorTest : public ::testing::Test {
protected:
    ~EditorTest() override {
        // Collected first: deleting an editor deletes its menus, which are
        // top-level widgets too.
        std::vector<QPointer<EditorWindow>> editors;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* editor = qobject_cast<EditorWindow*>(window)) editors.emplace_back(editor);
        }
        for (const auto& editor : editors) {
            editor->text_edit()->document()->setModified(false);
            delete editor.data();
        }
    }
    EditorWindow* open(const std::string& path) {
        edit_file(path, dialogs);
        return qobject_cast<EditorWindow*>(find_window_titled(editor_title(path)));
    }
    static void type_at_end(EditorWindow* editor, const QString& text) {
        QTextCursor cursor = editor->text_edit()->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text);
    }
    static void type_over_all(EditorWindow* editor, const QString& text) {
        QTextCursor cursor = editor->text_edit()->textCursor();
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
    }

    ScriptedDialogs dialogs;
    TestFiles files;
};

TEST_F(EditorTest, OneWindowPerFileTitle) {
    EXPECT_EQ(editor_title("/home/user/data/PLATE.DAT"), QStringLiteral("メモ帳 - PLATE.DAT"));
    EXPECT_EQ(editor_title("PLATE.DAT"), QStringLiteral("メモ帳 - PLATE.DAT"));
    const std::string plate = files.write("plate.DAT", "0 0\n");
    EditorWindow* first = open(plate);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(open(plate), first);
    EditorWindow* other = open(files.write("other.DAT", "1 1\n"));
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, first);
    first->close();
    EditorWindow* again = open(plate);
    EXPECT_NE(again, nullptr);
    EXPECT_TRUE(again->isVisible());

    EXPECT_EQ(open(files.path("missing.DAT")), nullptr);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_NE(dialogs.boxes[0].text.find("missing.DAT"), std::string::npos);
}

TEST_F(EditorTest, ReadsAndWritesShiftJisKeepingTheLineEnds) {
    for (const QByteArray& end : {QByteArray("\r\n"), QByteArray("\n")}) {
        const QByteArray bytes = LABEL + end + "\tb = 5" + end + EXTENSIONS + end;
        const std::string path = files.write("ends.DAT", bytes);
        EditorWindow* editor = open(path);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text_edit()->toPlainText(), QStringLiteral("; 板の輪郭\n\tb = 5\n①髙\n"));
        EXPECT_TRUE(editor->save());
        EXPECT_EQ(TestFiles::read(path), bytes);
        type_at_end(editor, QStringLiteral("追加\n～"));
        EXPECT_TRUE(editor->save());
        EXPECT_EQ(TestFiles::read(path), bytes + ADDED + end + "\x81\x60");
        EXPECT_FALSE(editor->text_edit()->document()->isModified());
        editor->close();
    }
}

struct Unfaithful {
    const char* name;
    QByteArray bytes;
    const char* reason;
};

class UnfaithfulFileTest : public EditorTest, public ::testing::WithParamInterface<Unfaithful> {};

TEST_P(UnfaithfulFileTest, IsShownReadOnlyAndNeverSaved) {
    const std::string path = files.write("bad.DAT", GetParam().bytes);
    EditorWindow* editor = open(path);
    ASSERT_NE(editor, nullptr);
    EXPECT_NE(editor->refusal().find(GetParam().reason), std::string::npos) << editor->refusal();
    EXPECT_TRUE(editor->text_edit()->isReadOnly());
    EXPECT_FALSE(editor->save());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_NE(dialogs.boxes[0].text.find(editor->refusal()), std::string::npos);
    EXPECT_EQ(TestFiles::read(path), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnfaithfulFileTest,
    ::testing::Values(Unfaithful{"Undecodable", QByteArray("0 0\n\x80\n"), "5 バイト目 (0x80)"},
                      Unfaithful{"CutOff", QByteArray("0 0\n\x94"), "5 バイト目 (0x94)"},
                      // Would be written back as its IBM twin FA 5C.
                      Unfaithful{"DuplicateCode", QByteArray("\xed\x40\n"), "同じバイト"},
                      Unfaithful{"MixedLineEnds", QByteArray("0 0\r\n1 1\n"), "混在"},
                      Unfaithful{"LoneCR", QByteArray("0 0\r1 1\r\n"), "単独の CR"}),
    [](const auto& info) { return info.param.name; });

TEST_F(EditorTest, RefusesToSaveCharactersWithoutAFaithfulCode) {
    const std::string path = files.write("plain.DAT", "0 0\n");
    EditorWindow* editor = open(path);
    ASSERT_NE(editor, nullptr);
    // No code at all; back as a backslash; back as a full-width tilde.
    for (const QString& text : {QStringLiteral("€"), QStringLiteral("¥"), QStringLiteral("〜")}) {
        dialogs.boxes.clear();
        type_over_all(editor, text);
        EXPECT_FALSE(editor->save()) << text.toStdString();
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_NE(dialogs.boxes[0].text.find(text.toStdString()), std::string::npos);
        EXPECT_EQ(TestFiles::read(path), QByteArray("0 0\n"));
    }
    // Closing asks; saving fails, so the window stays with its changes.
    dialogs.save_choices = {SaveChoice::save};
    editor->close();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->text_edit()->document()->isModified());
}

TEST_F(EditorTest, AsksBeforeLosingChanges) {
    const std::string path = files.write("asked.DAT", "0 0\n");
    QPointer<EditorWindow> editor = open(path);
    ASSERT_NE(editor, nullptr);
    editor->close();  // unchanged: no question
    editor = open(path);
    type_at_end(editor, QStringLiteral("1 1\n"));
    dialogs.save_choices = {SaveChoice::cancel, SaveChoice::discard};
    editor->close();
    EXPECT_TRUE(editor->isVisible());
    editor->close();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(TestFiles::read(path), QByteArray("0 0\n"));

    editor = open(path);
    type_at_end(editor, QStringLiteral("2 2\n"));
    dialogs.save_choices = {SaveChoice::save};
    editor->close();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(TestFiles::read(path), QByteArray("0 0\n2 2\n"));
    EXPECT_TRUE(dialogs.save_choices.empty());
}

}  // namespace
}  // namespace tesu
