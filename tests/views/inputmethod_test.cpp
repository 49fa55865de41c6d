#include "viewsfixture.h"

#include "core/cp932.h"
#include "edit/editcommands.h"
#include "edit/tabselect.h"
#include "render/viewcommands.h"

#include <QInputMethodEvent>
#include <QTextCharFormat>
#include <functional>

namespace {

/** Typing on the texts tab, with the input method's reset counted instead of run. */
struct InputMethod : ViewsFixture {
    int resets = 0;
    /** Where the composition shows, right of the caret (which is left out). */
    const QRect composing{16 + 42, 16 + 18, 120, 40};

    void SetUp() override
    {
        ViewsFixture::SetUp();
        doc.TextColor = 0x0000FF;   // red, as a colour reference
        SelectLayer(doc, kTextsTab);
        Map()->setFocus();
        ClickMap(Qt::LeftButton, {16 + 40, 16 + 20});
        ASSERT_TRUE(Map()->CaretShown());
        Map()->InputMethodReset = [this] { ++resets; };
    }

    void Preedit(const QString& text, int cursor = -1,
                 QList<QInputMethodEvent::Attribute> more = {})
    {
        QList<QInputMethodEvent::Attribute> attributes = std::move(more);
        if (cursor >= 0)
            attributes.append({QInputMethodEvent::Cursor, cursor, 1, QVariant()});
        QInputMethodEvent event(text, attributes);
        QApplication::sendEvent(Map(), &event);
    }

    void Commit(const QString& text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(Map(), &event);
    }

    /** What the input method learns from the map view, asked the way Qt asks. */
    QVariant Ask(Qt::InputMethodQuery query) const
    {
        QInputMethodQueryEvent event(query);
        QApplication::sendEvent(Map(), &event);
        return event.value(query);
    }

    /** Pixels of the map view in a colour close to c. */
    int CountColour(QRgb c, QRect area) const
    {
        const QImage shot = MapPort()->grab().toImage();
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = shot.pixel(x, y);
                n += std::abs(qRed(p) - qRed(c)) < 60 && std::abs(qGreen(p) - qGreen(c)) < 60
                     && std::abs(qBlue(p) - qBlue(c)) < 60;
            }
        return n;
    }
};

TEST_F(InputMethod, PreeditIsShownAtTheCaretUnderlinedInTheTextColourAndNotTyped)
{
    const int before = CountColour(qRgb(255, 0, 0), composing);
    Preedit(QString::fromUtf8("にほん"));
    EXPECT_EQ(Map()->Preedit().Text(), QString::fromUtf8("にほん"));
    EXPECT_TRUE(doc.TypedText.empty());
    // Glyphs and underline in red right of the typing point.
    EXPECT_GT(CountColour(qRgb(255, 0, 0), composing), before + 10);
    // An input method's format over the first character (the clause being converted).
    QTextCharFormat clause;
    clause.setBackground(QColor(0, 0, 255));
    Preedit(QString::fromUtf8("日本"), 1,
            {{QInputMethodEvent::TextFormat, 0, 1, QVariant(QTextFormat(clause))}});
    EXPECT_GT(CountColour(qRgb(0, 0, 255), composing), 10);
    // The commit ends the composition: the text is typed, nothing composed is left.
    Commit(QString::fromUtf8("日本"));
    EXPECT_EQ(doc.TypedText, Cp932("日本"));
    EXPECT_TRUE(Map()->Preedit().IsEmpty());
    EXPECT_EQ(resets, 0);
}

TEST_F(InputMethod, CaretStandsWhereTheInputMethodPutsItAndTheCandidateWindowFollows)
{
    const int start = Map()->CaretRect().left();
    const QString text = QString::fromUtf8("にほんご");
    Preedit(text, 0);
    EXPECT_EQ(Map()->CaretRect().left(), start);
    Preedit(text, 2);
    const int middle = Map()->CaretRect().left();
    Preedit(text, 4);
    const int end = Map()->CaretRect().left();
    EXPECT_GT(middle, start);
    EXPECT_GT(end, middle);
    // At half zoom the caret moves half as far into the composition (a pixel for rounding).
    OnZoom2(doc);
    Map()->setFocus();
    Preedit(text, 4);
    EXPECT_NEAR(Map()->CaretRect().left() - (16 + 20), (end - start) / 2, 1);

    // The candidate window is put at the caret, in the widget's own pixels.
    const QRect caret = Map()->CaretRect();
    const QRect asked = Ask(Qt::ImCursorRectangle).toRect();
    EXPECT_EQ(asked, caret.translated(MapPort()->pos()));
    EXPECT_TRUE(Ask(Qt::ImEnabled).toBool());
    EXPECT_GT(Ask(Qt::ImFont).value<QFont>().pixelSize(), 0);
    EXPECT_TRUE(Ask(Qt::ImHints).isValid());
    // Off the texts tab the map view takes no input method text.
    view->TabBar()->setCurrentIndex(3);
    EXPECT_FALSE(Ask(Qt::ImEnabled).toBool());
}

TEST_F(InputMethod, UnfinishedCompositionNeverLandsInTheNextText)
{
    Preedit(QString::fromUtf8("か"));
    ClickMap(Qt::LeftButton, {16 + 100, 16 + 60});   // elsewhere
    EXPECT_EQ(resets, 1);
    EXPECT_TRUE(Map()->Preedit().IsEmpty());
    Commit(QString::fromUtf8("にほん"));
    EXPECT_EQ(doc.TypedText, Cp932("にほん"));
    EXPECT_EQ(doc.TypePos, (IntPoint{100, 60}));
}

TEST_F(InputMethod, EveryWayOfEndingTheTypingResetsTheComposition)
{
    struct Case {
        const char* name;
        std::function<void(InputMethod&)> end;
    };
    const Case cases[] = {
        {"press", [](InputMethod& t) { t.ClickMap(Qt::LeftButton, {16 + 8, 16 + 8}); }},
        {"right press", [](InputMethod& t) { t.ClickMap(Qt::RightButton, {16 + 8, 16 + 8}); }},
        {"Esc", [](InputMethod& t) { QTest::keyClick(t.Map(), Qt::Key_Escape); }},
        {"focus loss", [](InputMethod& t) { t.Palette()->setFocus(); }},
        {"tab change", [](InputMethod& t) { t.view->TabBar()->setCurrentIndex(2); }},
        {"zoom (discards the typed text)", [](InputMethod& t) { OnZoom3(t.doc); }},
        {"normal mode (discards the typed text)", [](InputMethod& t) { SetNormalMode(t.doc); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SelectLayer(doc, kTextsTab);
        view->OnUpdate(nullptr, 0);
        Map()->setFocus();
        ASSERT_TRUE(Map()->hasFocus());
        const int shown = CountColour(qRgb(255, 0, 0), composing);
        // Nothing committed yet: the document has no typed text that would tell of the end.
        Preedit(QString::fromUtf8("か"));
        ASSERT_FALSE(Map()->Preedit().IsEmpty());
        resets = 0;
        c.end(*this);
        EXPECT_EQ(resets, 1);
        EXPECT_TRUE(Map()->Preedit().IsEmpty());
        EXPECT_EQ(CountColour(qRgb(255, 0, 0), composing), shown);
    }
}

TEST_F(InputMethod, TypingItsOwnCommitKeepsTheNextComposition)
{
    // One event may commit a clause and start composing the next one.
    QInputMethodEvent event(QString::fromUtf8("ご"), {});
    event.setCommitString(QString::fromUtf8("日本"));
    QApplication::sendEvent(Map(), &event);
    EXPECT_EQ(doc.TypedText, Cp932("日本"));
    EXPECT_EQ(Map()->Preedit().Text(), QString::fromUtf8("ご"));
    EXPECT_EQ(resets, 0);
}

}  // namespace
