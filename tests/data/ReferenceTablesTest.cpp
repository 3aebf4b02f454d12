// The rows of the reference database: settings, charger models, battery types,
// device modes, forming choices, value limits and diagram steps, read the way
// the program reads them.
#include "ShippedReferenceData.h"
#include "SourceLiterals.h"

#include "core/DatabaseModul.h"

#include <QSet>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const char* const kModels[] = {"KZT1", "KZT4", "KZT4 48V", "J4", "KZTx"};

// What a limit row bounds: its value times the factor is written into a
// program field of that many digits.
struct LimitField {
    const char* bez;
    double factor;
    int digits;
    bool whole;
};
const LimitField kLimitFields[] = {
    {"05", 1000, 5, false}, // end voltages, V -> mV
    {"L", 1000, 5, false},  // charge current, A -> mA
    {"E", 1000, 5, false},  // discharge current, A -> mA
    {"K", 1000, 5, false},  // capacity, Ah -> mAh
    {"P", 1, 3, true},      // percent
    {"W", 1, 2, true},      // period
    {"YH", 1, 3, true},     // self-discharge hours
    {"YD", 1, 3, true},     // self-discharge days
    {"N", 10, 3, true},     // charge end, typed whole, kept in tenths
};

struct Limits {
    double min = NAN;
    double max = NAN;
};

class ReferenceTablesTest : public ::testing::Test {
protected:
    ShippedReferenceData data;

    // The limits the editor would read for a model, by Bez.
    QHash<QString, Limits> limits(const char* model)
    {
        QHash<QString, Limits> byBez;
        for (const QVariantMap& r : data.rows(buildSqlMinMaxWerte(QLatin1String(model)))) {
            Limits l;
            if (!r.value(QStringLiteral("Min")).isNull())
                l.min = r.value(QStringLiteral("Min")).toDouble();
            if (!r.value(QStringLiteral("Max")).isNull())
                l.max = r.value(QStringLiteral("Max")).toDouble();
            byBez.insert(r.value(QStringLiteral("Bez")).toString(), l);
        }
        return byBez;
    }
};

bool isYesOrNo(const QString& v)
{
    return v == QLatin1String("YES") || v == QLatin1String("NO");
}

} // namespace

TEST_F(ReferenceTablesTest, ChargerModelsAndLanguagesMatchTheSettings)
{
    QSet<QString> codes;
    QSet<QString> names;
    for (const QVariantMap& r : data.rows(QStringLiteral("SELECT * FROM Ladegeraete"))) {
        codes.insert(r.value(QStringLiteral("Geraetekuerzel")).toString());
        const QString name = r.value(QStringLiteral("Geraetebezeichnung")).toString();
        EXPECT_FALSE(name.trimmed().isEmpty());
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        names.insert(name);
    }
    const QSet<QString> expected = {QStringLiteral("KZT1"), QStringLiteral("KZT4"), QStringLiteral("KZT4 48V"),
                                    QStringLiteral("J4"), QStringLiteral("KZTx")};
    EXPECT_EQ(codes, expected);
    EXPECT_TRUE(codes.contains(data.setting(QStringLiteral("UsedCharger"))));

    const QStringList languages = data.usableLanguages();
    EXPECT_TRUE(languages.contains(QStringLiteral("EN")));
    EXPECT_TRUE(languages.contains(QStringLiteral("DE")));
    EXPECT_TRUE(languages.contains(data.setting(QStringLiteral("UsedLanguage"))));
}

TEST_F(ReferenceTablesTest, EverySettingTheCodeUsesIsShippedWithAUsableValue)
{
    // setSetting never creates a key: a missing one would be lost silently.
    const SourceLiterals sources(QStringLiteral(VELMORO_SOURCE_DIR "/src"));
    const auto keys = sources.settingKeys();
    ASSERT_TRUE(keys.contains(QStringLiteral("UsedLanguage")));
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        const auto rows = data.rows(QStringLiteral("SELECT key FROM Optionen WHERE key='%1' COLLATE NOCASE")
                                        .arg(QString(it.key()).replace(QLatin1Char('\''), QStringLiteral("''"))));
        EXPECT_EQ(rows.size(), 1) << it.key().toStdString() << " used at " << it.value().first().toStdString();
    }

    for (const char* key :
         {"FirstStartup", "ChargerSelfInfo", "Akku1Visible", "Akku2Visible", "Akku3Visible", "Akku4Visible",
          "KZT1ExtensionAvailable", "KZT4ExtensionAvailable", "KZT448VExtensionAvailable", "KZTxExtensionAvailable",
          "ProgramExtensionAvaiable", "SendAllVisible", "PrintDate", "MinMaxSpannungVisible", "MinMaxStromVisible",
          "MinMaxKapazitaetVisible", "xGridVisible", "yGridVisible"})
        EXPECT_TRUE(isYesOrNo(data.setting(QLatin1String(key)))) << key;

    struct Number {
        const char* key;
        int min;
        int max;
    };
    for (const Number& n :
         {Number{"ComPort", 1, 10}, Number{"KZTxChannelCount", 1, 4}, Number{"ProgramExtensionType", 1, 2},
          Number{"DefaultLadestrom", 1, 99999}, Number{"DefaultEntladestrom", 1, 99999},
          Number{"DefaultEntladeschlussSpannung", 1, 99999}, Number{"DefaultLadeende", 0, 999},
          Number{"MaxAkkuBemerkung", 1, 200}, Number{"MaxMessBemerkung", 1, 200}, Number{"HeadArea", 0, 20},
          Number{"PrintingLook", 0, 9}}) {
        bool ok = false;
        const int v = data.setting(QLatin1String(n.key)).toInt(&ok);
        EXPECT_TRUE(ok) << n.key;
        EXPECT_GE(v, n.min) << n.key;
        EXPECT_LE(v, n.max) << n.key;
    }
}

TEST_F(ReferenceTablesTest, DefaultProgramValuesLieWithinEveryModelsLimits)
{
    // A default replaces a 0 in the program string; the editor would refuse it
    // if it lay outside the limits it checks the same field against.
    struct Default {
        const char* key;
        const char* bez;
        double divisor;
    };
    const Default defaults[] = {{"DefaultLadestrom", "L", 1000},
                                {"DefaultEntladestrom", "E", 1000},
                                {"DefaultEntladeschlussSpannung", "05", 1000},
                                {"DefaultLadeende", "N", 10}};
    for (const char* model : kModels) {
        const auto byBez = limits(model);
        for (const Default& d : defaults) {
            const double v = data.setting(QLatin1String(d.key)).toDouble() / d.divisor;
            const Limits l = byBez.value(QLatin1String(d.bez));
            EXPECT_GE(v, l.min) << d.key << " " << model;
            EXPECT_LE(v, l.max) << d.key << " " << model;
        }
    }
}

TEST_F(ReferenceTablesTest, EveryLimitFitsItsProgramFieldForEveryModel)
{
    for (const char* model : kModels) {
        const auto byBez = limits(model);
        EXPECT_EQ(byBez.size(), static_cast<int>(std::size(kLimitFields))) << model;
        for (const LimitField& f : kLimitFields) {
            ASSERT_TRUE(byBez.contains(QLatin1String(f.bez))) << f.bez << " " << model;
            const Limits l = byBez.value(QLatin1String(f.bez));
            ASSERT_FALSE(std::isnan(l.min) || std::isnan(l.max)) << f.bez << " " << model << " has an empty limit";
            // 0 is accepted without a look at the limits, so a limit of 0 means nothing.
            EXPECT_GT(l.min, 0) << f.bez << " " << model;
            EXPECT_LE(l.min, l.max) << f.bez << " " << model;
            const double widest = std::pow(10.0, f.digits) - 1;
            EXPECT_LE(l.max * f.factor, widest) << f.bez << " " << model << ": the charger would read it back cut off";
            for (const double v : {l.min, l.max}) {
                // The charger takes whole units of the field.
                EXPECT_NEAR(v * f.factor, std::round(v * f.factor), 1e-6) << f.bez << " " << model;
                if (f.whole) {
                    EXPECT_EQ(v, std::round(v)) << f.bez << " " << model << ": typed as a whole number";
                }
            }
        }
        // The self-description writes "N" limits divided by 10; typed whole
        // numbers are kept times 10 in three digits.
        EXPECT_LE(byBez.value(QStringLiteral("N")).max, 99) << model;
    }
}

TEST_F(ReferenceTablesTest, BatteryTypesGiveCellListsEveryModelCanCharge)
{
    const auto all = data.rows(QStringLiteral("SELECT * FROM Akkutypen ORDER BY Nr"));
    QHash<int, QVariantMap> byNr;
    for (const QVariantMap& r : all)
        byNr.insert(r.value(QStringLiteral("Nr")).toInt(), r);
    for (int nr = 1; nr <= 4; ++nr) {
        ASSERT_TRUE(byNr.contains(nr)) << nr;
        EXPECT_TRUE(byNr[nr].value(QStringLiteral("Usable")).toBool()) << nr;
    }
    // 5 in a program means preset end voltages, not a type of the list.
    if (byNr.contains(5)) {
        EXPECT_FALSE(byNr[5].value(QStringLiteral("Usable")).toBool());
    }
    EXPECT_DOUBLE_EQ(byNr[2].value(QStringLiteral("Nennspannung")).toDouble(), 1.2); // NiMH

    for (const char* model : kModels) {
        const double maxVoltage = limits(model).value(QStringLiteral("05")).max;
        // The program's own query for this model, in every usable language.
        for (const QString& lang : data.usableLanguages()) {
            const auto rows = data.rows(buildSqlAkkutypen(QLatin1String(model), lang));
            EXPECT_EQ(rows.size(), 4) << model << " " << lang.toStdString();
            for (const QVariantMap& r : rows) {
                const int nr = r.value(QStringLiteral("Nr")).toInt();
                ASSERT_FALSE(r.value(QStringLiteral("ZMin")).isNull() || r.value(QStringLiteral("ZMax")).isNull())
                    << model << " type " << nr;
                const int zmin = r.value(QStringLiteral("ZMin")).toInt();
                const int zmax = r.value(QStringLiteral("ZMax")).toInt();
                const double perCell = r.value(QStringLiteral("Nennspannung")).toDouble();
                EXPECT_GE(zmin, 1) << model << " type " << nr;
                EXPECT_LE(zmin, zmax) << model << " type " << nr;
                EXPECT_LE(zmax, 99) << model << " type " << nr; // two digits
                EXPECT_GT(perCell, 0) << nr;
                // The nominal pack voltage goes out in five mV digits and must
                // be a voltage the model handles.
                EXPECT_LE(zmax * perCell, maxVoltage) << model << " type " << nr;
                EXPECT_LE(std::lround(zmax * perCell * 1000), 99999) << model << " type " << nr;
            }
        }
    }
}

TEST_F(ReferenceTablesTest, DeviceModesAreCoherentAndFormingIsNamedForTheReport)
{
    const auto en = data.rows(buildSqlGeraeteModi(QStringLiteral("EN")));
    const auto de = data.rows(buildSqlGeraeteModi(QStringLiteral("DE")));
    ASSERT_FALSE(en.isEmpty());
    EXPECT_EQ(en.size(), de.size());

    QSet<QString> numbers;
    QString formingEn, formingDe;
    bool chargeOnly = false, dischargeOnly = false, cycles = false, period = false, selfDischarge = false;
    for (const QVariantMap& r : en) {
        const QString nr = r.value(QStringLiteral("ModusNr")).toString();
        bool ok = false;
        const int n = nr.toInt(&ok);
        // Compared as text with the program's number written without zeros in front.
        EXPECT_TRUE(ok && n >= 1 && n <= 99 && QString::number(n) == nr) << nr.toStdString();
        numbers.insert(nr);
        auto flag = [&](const char* name) {
            const int v = r.value(QLatin1String(name)).toInt();
            EXPECT_TRUE(v == 0 || v == 1) << name << " of mode " << nr.toStdString();
            return v == 1;
        };
        const bool l = flag("LBlock"), e = flag("EBlock"), t = flag("TSel"), f = flag("FormCbo"),
                   days = flag("TageText"), ls = flag("Ladeschluss"), els = flag("Entladeschluss");
        EXPECT_TRUE(l || e) << "mode " << nr.toStdString() << " neither charges nor discharges";
        EXPECT_TRUE(!ls || l) << "mode " << nr.toStdString();
        EXPECT_TRUE(!els || e) << "mode " << nr.toStdString();
        EXPECT_TRUE(ls || els) << "mode " << nr.toStdString() << " needs no end voltage at all";
        EXPECT_TRUE(!t || (l && e)) << "mode " << nr.toStdString();
        EXPECT_TRUE(!f || (l && e)) << "mode " << nr.toStdString();
        chargeOnly |= l && !e;
        dischargeOnly |= e && !l;
        cycles |= f;
        period |= days;
        selfDischarge |= t;
        if (r.value(QStringLiteral("ResourceText")).toString() == QLatin1String("Conditioning")) {
            EXPECT_TRUE(formingEn.isEmpty());
            formingEn = nr;
            EXPECT_TRUE(f) << "conditioning offers no choice of cycles";
        }
    }
    for (const QVariantMap& r : de) {
        if (r.value(QStringLiteral("ResourceText")).toString() == QLatin1String("Formieren")) {
            EXPECT_TRUE(formingDe.isEmpty());
            formingDe = r.value(QStringLiteral("ModusNr")).toString();
        }
    }
    EXPECT_TRUE(chargeOnly && dischargeOnly && cycles && period && selfDischarge);
    EXPECT_FALSE(formingEn.isEmpty());
    EXPECT_EQ(formingEn, formingDe);
    // A recording ends when the charger waits in mode 6.
    EXPECT_TRUE(numbers.contains(QStringLiteral("6")));
}

TEST_F(ReferenceTablesTest, FormingChoicesSendOneDistinctDigitEach)
{
    const auto rows = data.rows(QStringLiteral("SELECT FormierModi.Modus, FormierModi.SendeCode FROM FormierModi;"));
    ASSERT_GE(rows.size(), 2);
    QSet<QString> codes, names;
    for (const QVariantMap& r : rows) {
        const QString code = r.value(QStringLiteral("SendeCode")).toString();
        const QString name = r.value(QStringLiteral("Modus")).toString();
        EXPECT_TRUE(code.size() == 1 && code[0].isDigit()) << code.toStdString();
        EXPECT_FALSE(codes.contains(code)) << code.toStdString();
        EXPECT_FALSE(name.trimmed().isEmpty());
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        codes.insert(code);
        names.insert(name);
    }
    EXPECT_TRUE(codes.contains(QStringLiteral("0")));
}

TEST_F(ReferenceTablesTest, DiagramStepsKeepEveryCurveSmall)
{
    struct Step {
        qint64 threshold;
        qint64 step;
    };
    QVector<Step> steps;
    for (const QVariantMap& r : data.rows(QStringLiteral("SELECT * FROM DiagramPoints ORDER BY ID")))
        steps.push_back(
            {r.value(QStringLiteral("Schwellwert")).toLongLong(), r.value(QStringLiteral("xteWert")).toLongLong()});
    ASSERT_FALSE(steps.isEmpty());
    for (int i = 0; i < steps.size(); ++i) {
        EXPECT_GE(steps[i].step, 1) << i;
        if (i > 0) {
            EXPECT_LT(steps[i].threshold, steps[i - 1].threshold) << "thresholds must fall with ID, row " << i;
        }
    }
    EXPECT_EQ(steps.last().step, 1) << "short series are drawn in full";

    // The first row whose threshold is at most n, else the last row.
    auto stepFor = [&](qint64 n) {
        for (const Step& s : steps) {
            if (s.threshold <= n)
                return s.step;
        }
        return steps.last().step;
    };
    // Rows of the chart: n / step rounded half to even.
    auto chartRows = [&](qint64 n) { return static_cast<qint64>(std::nearbyint(double(n) / double(stepFor(n)))); };

    QVector<qint64> counts;
    for (qint64 n = 5; n <= 120000; ++n)
        counts << n;
    for (const Step& s : steps) {
        for (qint64 d = -1; d <= 1; ++d)
            counts << s.threshold + d << s.step * 10000 + d;
    }
    for (double n = 120000; n <= 20e6; n *= 1.0007)
        counts << static_cast<qint64>(n);
    counts << 20000000;
    for (const qint64 n : counts) {
        if (n < 5)
            continue; // fewer than 5 values draw no diagram
        const qint64 rows = chartRows(n);
        EXPECT_GE(rows, 1) << n;
        ASSERT_LE(rows, 10000) << "a series of " << n << " values";
    }
    // Far beyond: still within what the chart's row count can hold.
    for (const qint64 n : {qint64(30000000), qint64(50000000), qint64(60000000)})
        EXPECT_LE(chartRows(n), 32767) << n;
}
