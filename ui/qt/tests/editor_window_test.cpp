#include "ui/qt/editor_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>

#include "scripted_dialogs.h"
#include "test_files.h"

namespace tesu {
namespace {

using namespace testing;

// "; 板の輪郭" and "①髙" (an NEC and an IBM extension) in code page 932.
const QByteArray OUTLINE_LABEL("; \x94\xc2\x82\xcc\x97\xd6\x8a\x73");
const QByteArray EXTENSIONS("\x87\x40\xfb\xfc");
// "追加"
const QByteArray ADDED("\x92\xc7\x89\xc1");

class EditorTest : public ::testing::Test {
protected:
    ~EditorTest() override {
        for (const auto& editor : opened) {
            if (editor) {
                editor->text_edit()->document()->setModified(false);
                delete editor.data();
            }
        }
    }

    EditorWindow* open(const std::string& path) {
        edit_file(path, dialogs);
        auto* editor = qobject_cast<EditorWindow*>(find_window_titled(editor_title(path)));
        if (editor) opened.emplace_back(editor);
        return editor;
    }

    static void append(EditorWindow* editor, const QString& text) {
        QTextCursor cursor = editor->text_edit()->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text);
        editor->text_edit()->setTextCursor(cursor);
    }

    static void replace_all(EditorWindow* editor, const QString& text) {
        QTextCursor cursor = editor->text_edit()->textCursor();
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
    }

    int windows_titled(const QString& title) const {
        int count = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            count += window->isVisible() && window->windowTitle() == title;
        }
        return count;
    }

    ScriptedDialogs dialogs;
    TestFiles files;
    std::vector<QPointer<EditorWindow>> opened;
};

TEST(EditorTitle, IsTheNotepadPrefixAndTheBaseName) {
    EXPECT_EQ(editor_title("/home/user/data/PLATE.DAT"), QStringLiteral("メモ帳 - PLATE.DAT"));
    EXPECT_EQ(editor_title("PLATE.DAT"), QStringLiteral("メモ帳 - PLATE.DAT"));
    EXPECT_EQ(editor_title("/a.b/c"), QStringLiteral("メモ帳 - c"));
}

TEST_F(EditorTest, OneWindowPerFileTitle) {
    const std::string plate = files.write("plate.DAT", "0 0\n");
    const std::string other = files.write("other.DAT", "1 1\n");
    EditorWindow* first = open(plate);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(open(plate), first);
    EXPECT_EQ(windows_titled(QStringLiteral("メモ帳 - plate.DAT")), 1);

    EditorWindow* second = open(other);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(windows_titled(QStringLiteral("メモ帳 - other.DAT")), 1);

    // Once closed, the next request opens a new one.
    first->close();
    EXPECT_EQ(windows_titled(QStringLiteral("メモ帳 - plate.DAT")), 0);
    EXPECT_NE(open(plate), nullptr);
    EXPECT_EQ(windows_titled(QStringLiteral("メモ帳 - plate.DAT")), 1);
}

TEST_F(EditorTest, AFileThatCannotBeReadOpensNoWindowAndSaysWhy) {
    EXPECT_EQ(open(files.path("missing.DAT")), nullptr);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_NE(dialogs.boxes[0].text.find("missing.DAT"), std::string::npos);
}

TEST_F(EditorTest, ReadsAndWritesShiftJisKeepingCrlf) {
    const std::string path = files.write("crlf.DAT", OUTLINE_LABEL + "\r\n0 0\r\n" + EXTENSIONS + "\r\n");
    EditorWindow* editor = open(path);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text_edit()->toPlainText(), QStringLiteral("; 板の輪郭\n0 0\n①髙\n"));
    EXPECT_TRUE(editor->refusal().empty());

    append(editor, QStringLiteral("追加\n"));
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(TestFiles::read(path), OUTLINE_LABEL + "\r\n0 0\r\n" + EXTENSIONS + "\r\n" + ADDED + "\r\n");
    EXPECT_FALSE(editor->text_edit()->document()->isModified());
}

TEST_F(EditorTest, ReadsAndWritesShiftJisKeepingLf) {
    const std::string path = files.write("lf.DAT", OUTLINE_LABEL + "\n1 2");
    EditorWindow* editor = open(path);
    ASSERT_NE(editor, nullptr);
    append(editor, QStringLiteral("\n追加"));
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(TestFiles::read(path), OUTLINE_LABEL + "\n1 2\n" + ADDED);
}

TEST_F(EditorTest, UnchangedTextSavesTheSameBytes) {
    const QByteArray bytes = OUTLINE_LABEL + "\r\n\tb = 5\r\n\r\n";
    const std::string path = files.write("same.DAT", bytes);
    EditorWindow* editor = open(path);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(TestFiles::read(path), bytes);
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
    ::testing::Values(Unfaithful{"UndecodableByte", QByteArray("0 0\n\x80\n1 1\n"), "5 バイト目 (0x80)"},
                      Unfaithful{"CutOffCharacter", QByteArray("0 0\n\x94"), "5 バイト目 (0x94)"},
                      // An NEC-selected IBM extension, written back as its IBM twin.
                      Unfaithful{"DuplicateCode", QByteArray("\xed\x40\n"), "同じバイトになりません"},
                      Unfaithful{"MixedLineEnds", QByteArray("0 0\r\n1 1\n"), "混在"},
                      Unfaithful{"LoneCarriageReturn", QByteArray("0 0\r1 1\r\n"), "単独の CR"}),
    [](const auto& info) { return info.param.name; });

TEST_F(EditorTest, RefusesCharactersWithoutAFaithfulShiftJisCode) {
    const std::string path = files.write("plain.DAT", "0 0\n");
    EditorWindow* editor = open(path);
    ASSERT_NE(editor, nullptr);
    // The euro sign has no code; the yen sign and the wave dash would come
    // back as a backslash and a full-width tilde.
    for (const QString& text : {QStringLiteral("€"), QStringLiteral("¥"), QStringLiteral("〜")}) {
        dialogs.boxes.clear();
        replace_all(editor, QStringLiteral("b = 5 ") + text + QStringLiteral("\n"));
        EXPECT_FALSE(editor->save()) << text.toStdString();
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_NE(dialogs.boxes[0].text.find(text.toStdString()), std::string::npos);
        EXPECT_EQ(TestFiles::read(path), QByteArray("0 0\n"));
        EXPECT_TRUE(editor->text_edit()->document()->isModified());
    }
    replace_all(editor, QStringLiteral("b = 5 ～\n"));
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(TestFiles::read(path), QByteArray("b = 5 \x81\x60\n"));
}

TEST_F(EditorTest, AsksBeforeLosingChanges) {
    const std::string path = files.write("asked.DAT", "0 0\n");
    QPointer<EditorWindow> editor = open(path);
    ASSERT_NE(editor, nullptr);

    // Unchanged: closes without a question.
    editor->close();
    EXPECT_TRUE(dialogs.save_questions.empty());
    editor = open(path);
    ASSERT_NE(editor, nullptr);

    append(editor, QStringLiteral("1 1\n"));
    dialogs.save_choices = {SaveChoice::cancel, SaveChoice::discard};
    editor->close();
    EXPECT_TRUE(editor->isVisible());
    editor->close();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_THAT(dialogs.save_questions,
                ::testing::ElementsAre(QStringLiteral("asked.DAT"), QStringLiteral("asked.DAT")));
    EXPECT_EQ(TestFiles::read(path), QByteArray("0 0\n"));

    editor = open(path);
    ASSERT_NE(editor, nullptr);
    append(editor, QStringLiteral("2 2\n"));
    dialogs.save_choices = {SaveChoice::save};
    editor->close();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(TestFiles::read(path), QByteArray("0 0\n2 2\n"));
}

TEST_F(EditorTest, AFailedSaveKeepsTheWindowOpenWithItsChanges) {
    const std::string path = files.write("stuck.DAT", "0 0\n");
    QPointer<EditorWindow> editor = open(path);
    ASSERT_NE(editor, nullptr);
    replace_all(editor, QStringLiteral("€\n"));
    dialogs.save_choices = {SaveChoice::save};
    editor->close();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}

}  // namespace
}  // namespace tesu
