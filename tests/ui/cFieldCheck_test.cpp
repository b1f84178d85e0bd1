// Field checks: the registered checks' verdicts and messages, the message
// shown once per distinct value, highlighting, names, and grid cell checks.
#include <QLineEdit>
#include <QTest>

#include "ui/cFieldCheck.h"
#include "project/cFieldRules.h"
#include "ui/cGridChecks.h"
#include "ui/cStringGrid.h"
#include "ui/cThemes.h"
#include "ui_test_support.h"

class TestFieldCheck : public QObject {
  Q_OBJECT

 private slots:
  void registeredChecksJudgeAndExplain_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");  // empty: passes
    QTest::newRow("integer with decimals") << "Slab details" << "Concrete strength (f'c)" << "32.5"
                                           << "Concrete strength (f'c) has invalid characters - please only enter integers";
    QTest::newRow("integer in range") << "Slab details" << "Concrete strength (f'c)" << " 32 " << "";
    QTest::newRow("blank not allowed") << "General" << "Floor area" << ""
                                       << "Floor area cannot be blank, please enter a valid integer";
    QTest::newRow("blank allowed") << "Floor loading" << "Nominal live load" << "  " << "";
    QTest::newRow("real below range, bounds without decimals")
        << "Beam general" << "Specified shear connection ratio" << "0.3"
        << "Specified shear connection ratio should be between 0 and 1";
    QTest::newRow("percentage in range") << "Beam loading" << "Load start position" << "30%" << "";
    QTest::newRow("distance in range") << "Beam loading" << "Load start position" << "4500" << "";
    QTest::newRow("percentage out of range") << "Beam loading" << "Load start position" << "150%"
                                             << "Load start position should be between 0% and 100%";
    QTest::newRow("distance beyond any span") << "Beam loading" << "Load start position" << "25001"
                                              << "Load start position must be within span of beam";
    QTest::newRow("letters in a position") << "Beam loading" << "Load start position" << "abc"
                                           << "Load start position has invalid characters - please only enter numbers";
    QTest::newRow("string too long") << "General" << "Designer" << QString(81, QLatin1Char('x'))
                                     << "Designer length should be shorter than 80";
    QTest::newRow("string at its limit") << "General" << "Designer" << QString(80, QLatin1Char('x')) << "";
    QTest::newRow("integer above range") << "General" << "Number of storeys" << "121"
                                         << "Number of storeys should be between 2 and 120";
    QTest::newRow("integer below range, zero minimum") << "Geometry" << "Side 2 angle" << "-1"
                                                       << "Side 2 angle should be less than 90";
    QTest::newRow("own range message") << "Geometry" << "Distance to first secondary beam" << "-5"
                                       << "Distance to first secondary beam must be more than 0 mm and less than the primary span";
  }
  void registeredChecksJudgeAndExplain() {
    QFETCH(QString, page);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TDialogRecorder dialogs;
    TFieldCheckList checks;
    QLineEdit edit("text before the check");
    QVERIFY(checks.AddRegistered(page, name, &edit, this, {}) > 0);
    edit.setText(text);
    const bool passed = checks.Check(&edit, nullptr, true, true, false);
    QCOMPARE(passed, message.isEmpty());
    if (!passed) {
      QVERIFY(checks.LastErrorFieldCheck());
      QCOMPARE(checks.LastErrorFieldCheck()->LastErrorMsg(), message);
      QCOMPARE(dialogs.Messages, QStringList{message});
    } else {
      QVERIFY(dialogs.Messages.isEmpty());
    }
    QCOMPARE(IsFieldHighlighted(&edit), !passed);
  }

  void everyRegisteredCheckHasAWellFormedMessage() {
    // Every template fills with its four arguments: nothing of the format language is left.
    for (const TFieldCheckSpec& spec : RegisteredFieldChecks()) {
      TFieldCheckList checks;
      QLineEdit edit;
      TFieldCheck& check = checks.AddField(QString::fromUtf8(spec.Name), &edit, spec.FieldType, spec.Min, spec.Max,
                                           spec.CanBeBlank, spec.IsPercentOptional,
                                           QString::fromUtf8(spec.RangeErrorMsg), this, {});
      for (const QString& t : {check.RangeErrorMsg, check.BlankMsg, check.InvalidCharsMsg}) {
        const QString text = check.FormatMessage(t);
        QVERIFY2(!text.contains(QLatin1Char('%')) || text.contains(QLatin1String("0%")), qPrintable(text));
        QVERIFY2(text.contains(check.Name), qPrintable(text));
      }
    }
  }

  void aWrongValueIsReportedOnce() {
    TDialogRecorder dialogs;
    TFieldCheckList checks;
    QLineEdit edit;
    checks.AddRegistered("General", "Floor area", &edit, this, {});
    edit.setText("50");
    QVERIFY(!checks.Check(&edit, nullptr, true, true, true));
    QVERIFY(!checks.Check(&edit, nullptr, true, true, true));  // left again unchanged: silent, still coloured
    QCOMPARE(dialogs.Messages.size(), 1);
    QVERIFY(IsFieldHighlighted(&edit));
    edit.setText("60");
    QVERIFY(!checks.Check(&edit, nullptr, true, true, true));
    QCOMPARE(dialogs.Messages.size(), 2);
    edit.setText("600");
    QVERIFY(checks.Check(&edit, nullptr, true, true, true));
    QVERIFY(!IsFieldHighlighted(&edit));
    QVERIFY(checks.LastErrorFieldCheck() == nullptr);
  }

  void aFailedPercentageStaysColouredInAPageCheck() {
    // The distance check passes "150%" over to the percentage check; it must
    // not give the field its normal look after the percentage check failed.
    TFieldCheckList checks;
    QLineEdit edit;
    QObject page;
    checks.AddRegistered("Beam loading", "Load start position", &edit, &page, {});
    edit.setText("150%");
    QVERIFY(!checks.Check(nullptr, &page, false, true, false));
    QVERIFY(IsFieldHighlighted(&edit));
    QCOMPARE(checks.LastErrorFieldCheck()->FieldType, ftPercent);
  }

  void theHandlerSeesEveryOutcome() {
    TFieldCheckList checks;
    QLineEdit a, b;
    QObject page;
    std::vector<bool> failures;
    auto handler = [&](TFieldCheck&, bool HasFailed, bool&) { failures.push_back(HasFailed); };
    checks.AddRegistered("General", "Floor area", &a, &page, handler);
    checks.AddRegistered("General", "Number of storeys", &b, &page, handler);
    a.setText("1");
    b.setText("3");
    QVERIFY(!checks.Check(nullptr, &page, false, true, false));
    QCOMPARE(failures, (std::vector<bool>{true, false}));
    QCOMPARE(checks.LastErrorFieldCheck()->Edit.data(), &a);
    QCOMPARE(checks.GroupOf(&b), &page);
    // A suppressing handler keeps the field's look.
    TFieldCheckList quiet;
    QLineEdit c;
    quiet.AddRegistered("General", "Floor area", &c, &page, [](TFieldCheck&, bool, bool& Suppress) { Suppress = true; });
    c.setText("1");
    QVERIFY(!quiet.Check(&c, nullptr, false, true, false));
    QVERIFY(!IsFieldHighlighted(&c));
  }

  void namesAndStandardMessages() {
    QLineEdit edit;
    edit.setObjectName("edtFloorArea");
    TFieldCheck unnamed(QString(), &edit, ftInteger, 1, 5, false, false, QString(), nullptr);
    QCOMPARE(unnamed.StandardisedName(), QStringLiteral("floor area"));
    TLabelledEdit labelled("Overall slab depth");
    TFieldCheck by_label(QString(), &labelled, ftInteger, 1, 5, false, false, QString(), nullptr);
    QCOMPARE(by_label.StandardisedName(), QStringLiteral("Overall slab depth"));

    struct TCase {
      TFieldType Type;
      double Min, Max;
      const char* Message;
    };
    const TCase cases[] = {
        {ftInteger, 0, 10, "%s should be less than %2:.0f"},
        {ftInteger, 5, 100000000, "%s should be more than %1:.0f"},
        {ftInteger, 5, 10, "%s should be between %.0f and %.0f"},
        {ftReal, 0, 10, "%s should be between %.0f and %.0f"},
        {ftString, 0, 10, "%s length should be shorter than %2:.0f"},
        {ftString, 3, 65536, "Please enter a meaningful %s (length should be at least %1:.0f characters)"},
        {ftString, 3, 10, "Length of %s should be between %.0f and %.0f characters"},
        {ftPercent, 0, 100, "%s should be between %.0f%% and %.0f%%"},
    };
    for (const TCase& c : cases) {
      TFieldCheck check("x", &edit, c.Type, c.Min, c.Max, false, false, QString(), nullptr);
      QCOMPARE(check.StandardisedRangeErrorMsg(), QString::fromLatin1(c.Message));
    }
  }

  void gridCellsAreCheckedThroughTheirColumn() {
    TDialogRecorder dialogs;
    TFieldCheckList checks;
    TStringGrid grid;
    grid.setObjectName("grdPointLoads");
    grid.SetColCount(4);
    grid.SetRowCount(4);  // header, two loads, the empty last row
    grid.SetRow(0, {"ID", "Stage", "Position\r\n(mm or %)", "Value (kN)"});
    grid.WillAutoAddNewRow = true;
    checks.AddRegistered("Beam loading", "Point load value", grid.CheckEdit(3), this, {});
    QCOMPARE(grid.CheckEdit(3)->LabelCaption(), QStringLiteral("Value (kN)"));
    grid.SetCell(3, 1, "20");
    grid.SetCell(3, 2, "2000");
    QVERIFY(!CheckAllGridCells(grid, checks));
    QVERIFY(!grid.CellColoured(3, 1));
    QVERIFY(grid.CellColoured(3, 2));
    QVERIFY(!grid.CellColoured(3, 3));  // the empty last row always passes
    QCOMPARE(grid.ColouredCellColour, HighlightFieldColour());
    QVERIFY(dialogs.Messages.isEmpty());
    QVERIFY(!CheckGridCells(grid, checks, 3, 3, 2, 2, true, true, true));
    QCOMPARE(dialogs.Messages, QStringList{"Point load value should be between 0 and 1000"});
    QCOMPARE(grid.Row(), 2);
    QCOMPARE(grid.Col(), 3);
    grid.SetCell(3, 2, "200");
    QVERIFY(CheckAllGridCells(grid, checks));
    QVERIFY(!grid.CellColoured(3, 2));
  }
};

TRV_UI_TEST_MAIN(TestFieldCheck)
#include "cFieldCheck_test.moc"
