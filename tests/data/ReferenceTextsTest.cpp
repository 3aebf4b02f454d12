// The texts of the reference database: every identifier the program shows has
// a usable text in every language it offers, and the texts read well where the
// program joins them.
#include "ShippedReferenceData.h"
#include "SourceLiterals.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// Every identifier the windows, menus, dialogs, messages and reports use,
// including those whose code may not be written yet.
const char* const kIdentifiersInUse[] = {
    "0001 0002 0003 0010 0100 0101 0102 0110 0120 0200 0202 0204 0206",
    "0400 0401 0402 0410 0411 0500 0502 0504 0506 0508 0510 0550 0552 0554",
    "0600 0602 0604 0606 0608 0610 0612 0614 0616 0618 0620 0622",
    "0700 0701 0702 0704 0706 0708 0710 0712 0714 0716 0718 0720 0722 0724 0726 0732 0734",
    "0736 0738 0740 0742 0744 0746 0747 0748 0749 0750 0752 0797 0798 0799",
    "0800 0802 0804 0806 0808 0810 0812 0814 0816 0818 0820 0822 0824 0826 0828 0830 0832",
    "0834 0836 0838 0840 0842 0844 0846 0847 0848 0850 0860 0862 0870 0872 0874 0876 0878",
    "0880 0881 0882 0884 0886 0888",
    "0900 0901 0902 0903 0904 0906 0908 0910 0912 0914 0916 0918 0920 0922 0924 0926 0928",
    "0930 0931 0932 0934 0936 0938 0940 0942 0944 0946 0948 0950 0952 0954 0955 0956 0957",
    "0958 0959 0960 0961 0962 0963 0964 0965 0966 0967 0968 0969 0970 0971 0974 0976 0980",
    "0982 0984 0985 0986 0987 0988 0989 0991 0992 0993 0994 0995 0996 0997 0998 0999",
    "1000 1002 1004 1006 1008 1010 1012 1014 1016 1020 1022 1024 1026 1028 1030 1040 1042",
    "1044 1046 1048 1050 1052 1054 1055 1056 1060 1062 1064 1066 1068 1070 1080 1082 1084",
    "1086 1088 1090 1092 1094 1100 1500 1502 1504 1506 1602 1604 2000 2002",
    "2100 2102 2110 2112 2114 2116 2120 2124 2130 2132 2134 2136 2138 2140 2142 2144 2145",
    "2146 2148 2150 2152 2160 2162 2164 2166 2168",
    "6000 6010 6012 6014 6016 6018 6020 6022",
    "7000 7002 7004 7006 7008 7010 7012 7014 7016 7018 7020 7022 7024 7026 7028 7030 7032",
    "7034 7036 7038 7040 7042 7044 7050 7051 7052 7054 7060 7062 7064 7066 7068 7070 7072",
    "7074 7076 7078 7080 7082 7084 7086 7088",
    "8000 8002 8100 8102 9020 9021 9022 9023 9030 9031 9032",
};

QStringList identifiersInUse()
{
    QStringList ids;
    for (const char* line : kIdentifiersInUse)
        ids << QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return ids;
}

// Texts that continue another one directly after a number or a text and
// therefore start with their own blank (or are nothing but spacing).
const QSet<QString> kContinuations = {
    QStringLiteral("0003"), QStringLiteral("0938"), QStringLiteral("0955"), QStringLiteral("0956"),
    QStringLiteral("0964"), QStringLiteral("0965"), QStringLiteral("0966"), QStringLiteral("0967"),
    QStringLiteral("0968"), QStringLiteral("0969"), QStringLiteral("0970"), QStringLiteral("0971"),
    QStringLiteral("7051"), QStringLiteral("7052"),
};

// Range messages: part 1, " ", Min, part 2, " ", Max, part 3.
struct RangeMessage {
    const char* part1;
    const char* part2;
    const char* part3;
};
const RangeMessage kRangeMessages[] = {
    {"0954", "0955", "0956"}, {"0957", "0955", "0956"}, {"0959", "0964", "0965"},
    {"0961", "0964", "0965"}, {"0958", "0966", "0967"}, {"0960", "0970", "0971"},
    {"0962", "0968", "0969"}, {"0963", "0970", "0971"}, {"7050", "7051", "7052"},
};

// Each menu with the identifiers of its captions; accelerators must differ
// within one menu.
struct Menu {
    const char* name;
    const char* ids;
};
const Menu kMenus[] = {
    {"menu bar", "1000 1020 1040 1060 1080"},
    {"File", "1002 1008 1010 1012 1014 1016"},
    {"File > Import", "1004 1006"},
    {"Edit", "1022 1024 1026"},
    {"Settings", "1042 1052 1054 1055 1056 9020"},
    {"Settings > Channels", "1044 1046 1048 1050"},
    {"Window", "1062 1064 1066 1068 1070"},
    {"Help", "1082 1084 1086 1088"},
};

// Messages answered with Yes/No or OK/Cancel (for joined questions, the part
// that ends the message).
const char* const kQuestions[] = {"0206", "0411", "0726", "0742", "0750", "0980",
                                  "0992", "0994", "0996", "1028", "1090"};

QChar acceleratorOf(const QString& caption, int* count)
{
    QChar key;
    *count = 0;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
            ++i; // "&&" is a literal ampersand
            continue;
        }
        ++*count;
        if (i + 1 < caption.size())
            key = caption[i + 1].toLower();
    }
    return key;
}

class ReferenceTextsTest : public ::testing::Test {
protected:
    ShippedReferenceData data;
    QStringList languages = data.usableLanguages();
};

} // namespace

TEST_F(ReferenceTextsTest, EveryIdentifierInUseHasTextInEveryUsableLanguage)
{
    ASSERT_GE(languages.size(), 2);
    const QStringList ids = identifiersInUse();
    ASSERT_EQ(ids.size(), 312);
    for (const QString& lang : languages) {
        const auto texts = data.texts(lang);
        for (const QString& id : ids) {
            EXPECT_TRUE(texts.contains(id)) << id.toStdString() << " has no text in " << lang.toStdString();
            EXPECT_FALSE(texts.value(id).isEmpty()) << id.toStdString() << " is empty in " << lang.toStdString();
            EXPECT_NE(texts.value(id), id) << id.toStdString() << " shows its identifier in " << lang.toStdString();
        }
    }
}

TEST_F(ReferenceTextsTest, EveryIdentifierTheCodeAsksForHasTextInEveryUsableLanguage)
{
    const SourceLiterals sources(QStringLiteral(VELMORO_SOURCE_DIR "/src"));
    ASSERT_GT(sources.fileCount(), 0);
    const auto used = sources.resourceIds();
    // The scan must see the calls that exist for sure (quit question, title).
    ASSERT_TRUE(used.contains(QStringLiteral("1090")));
    ASSERT_TRUE(used.contains(QStringLiteral("0001")));

    // A four-digit literal that is a text in one language is an identifier too
    // (tables of captions, ids passed through helpers).
    auto candidates = used;
    const auto literals = sources.fourDigitLiterals();
    for (auto it = literals.begin(); it != literals.end(); ++it) {
        for (const QString& lang : languages) {
            if (!data.text(it.key(), lang).isNull())
                candidates[it.key()] += it.value();
        }
    }

    for (const QString& lang : languages) {
        const auto texts = data.texts(lang);
        for (auto it = candidates.begin(); it != candidates.end(); ++it) {
            EXPECT_FALSE(texts.value(it.key()).isEmpty())
                << it.key().toStdString() << " (" << it.value().first().toStdString() << ") has no text in "
                << lang.toStdString();
        }
    }
}

TEST_F(ReferenceTextsTest, LanguagesHaveTheSameIdentifiersAndNoStrayBlanks)
{
    const auto first = data.texts(languages.value(0));
    for (const QString& lang : languages) {
        const auto texts = data.texts(lang);
        for (auto it = first.begin(); it != first.end(); ++it)
            EXPECT_TRUE(texts.contains(it.key())) << it.key().toStdString() << " missing in " << lang.toStdString();
        for (auto it = texts.begin(); it != texts.end(); ++it) {
            const QString& id = it.key();
            const QString& t = it.value();
            EXPECT_TRUE(first.contains(id)) << id.toStdString() << " only in " << lang.toStdString();
            EXPECT_FALSE(t.contains(QChar::ReplacementCharacter)) << id.toStdString() << " is not valid UTF-8";
            EXPECT_FALSE(t.contains(QLatin1Char('\n')) || t.contains(QLatin1Char('\r'))
                         || t.contains(QLatin1Char('\t')))
                << id.toStdString() << " in " << lang.toStdString();
            EXPECT_FALSE(t.contains(QStringLiteral("  "))) << id.toStdString() << " in " << lang.toStdString();
            if (kContinuations.contains(id))
                continue;
            EXPECT_FALSE(t.trimmed().isEmpty()) << id.toStdString() << " in " << lang.toStdString();
            EXPECT_EQ(t, t.trimmed()) << id.toStdString() << " in " << lang.toStdString() << ": '" << t.toStdString()
                                      << "'";
        }
    }
}

TEST_F(ReferenceTextsTest, JoinedMessagesReadAsOneSentence)
{
    for (const QString& lang : languages) {
        for (const RangeMessage& m : kRangeMessages) {
            const QString p1 = data.text(QLatin1String(m.part1), lang);
            const QString p2 = data.text(QLatin1String(m.part2), lang);
            const QString p3 = data.text(QLatin1String(m.part3), lang);
            // Numbers are written right after part 1's blank and right before parts 2 and 3.
            EXPECT_FALSE(p1.endsWith(QLatin1Char(' '))) << m.part1 << " " << lang.toStdString();
            for (const QString& part : {p2, p3})
                EXPECT_FALSE(part.isEmpty() || part[0].isLetterOrNumber())
                    << m.part2 << "/" << m.part3 << " " << lang.toStdString();
            const QString joined =
                p1 + QLatin1Char(' ') + QStringLiteral("0.5") + p2 + QLatin1Char(' ') + QStringLiteral("30") + p3;
            EXPECT_FALSE(joined.contains(QStringLiteral("  "))) << joined.toStdString();
            EXPECT_TRUE(joined.endsWith(QLatin1Char('.'))) << joined.toStdString();
        }
        // text + " " + channel number + " " + text
        for (const auto& [before, after] : {std::pair{"0746", "0747"}, std::pair{"0748", "0749"}}) {
            const QString joined =
                data.text(QLatin1String(before), lang) + QStringLiteral(" 2 ") + data.text(QLatin1String(after), lang);
            EXPECT_FALSE(joined.contains(QStringLiteral("  "))) << joined.toStdString();
            EXPECT_TRUE(joined.endsWith(QLatin1Char('.'))) << joined.toStdString();
        }
        // Texts followed by " n" or " (nn%)" must not end in a full stop or blank.
        for (const char* id : {"0900", "0701", "0989", "0846", "0847", "0818"}) {
            const QString t = data.text(QLatin1String(id), lang);
            EXPECT_FALSE(t.endsWith(QLatin1Char('.')) || t.endsWith(QLatin1Char(' ')))
                << id << " " << lang.toStdString();
        }
        // The period is printed right after its number.
        EXPECT_TRUE(data.text(QStringLiteral("0938"), lang).startsWith(QLatin1Char(' ')));
    }
}

TEST_F(ReferenceTextsTest, QuestionsEndWithAQuestionMark)
{
    for (const QString& lang : languages) {
        for (const char* id : kQuestions)
            EXPECT_TRUE(data.text(QLatin1String(id), lang).endsWith(QLatin1Char('?')))
                << id << " " << lang.toStdString();
    }
}

TEST_F(ReferenceTextsTest, MenuCaptionsHaveOneDistinctAcceleratorAndOtherTextsNone)
{
    QSet<QString> menuIds;
    for (const Menu& menu : kMenus) {
        for (const QString& id : QString::fromLatin1(menu.ids).split(QLatin1Char(' ')))
            menuIds.insert(id);
    }
    for (const QString& lang : languages) {
        for (const Menu& menu : kMenus) {
            QHash<QChar, QString> keys;
            for (const QString& id : QString::fromLatin1(menu.ids).split(QLatin1Char(' '))) {
                const QString caption = data.text(id, lang);
                int count = 0;
                const QChar key = acceleratorOf(caption, &count);
                EXPECT_EQ(count, 1) << id.toStdString() << " '" << caption.toStdString() << "' in "
                                    << lang.toStdString();
                if (key.isNull())
                    continue;
                EXPECT_FALSE(keys.contains(key))
                    << menu.name << " (" << lang.toStdString() << "): " << caption.toStdString() << " and "
                    << keys.value(key).toStdString() << " share their key";
                keys.insert(key, caption);
            }
        }
        // Elsewhere an ampersand would show up or swallow a letter.
        const auto texts = data.texts(lang);
        for (auto it = texts.begin(); it != texts.end(); ++it) {
            if (!menuIds.contains(it.key())) {
                EXPECT_FALSE(it.value().contains(QLatin1Char('&')))
                    << it.key().toStdString() << " " << lang.toStdString();
            }
        }
    }
}

TEST_F(ReferenceTextsTest, NamesOfLanguagesBatteryTypesAndModesResolveInEveryLanguage)
{
    struct Names {
        const char* table;
        const char* idColumn;
    };
    for (const Names& n :
         {Names{"Sprachen", "SprachResID"}, Names{"Akkutypen", "SprachId"}, Names{"GeraeteModi", "SprachId"}}) {
        const auto rows =
            data.rows(QStringLiteral("SELECT %1 AS id FROM %2").arg(QLatin1String(n.idColumn), QLatin1String(n.table)));
        ASSERT_FALSE(rows.isEmpty()) << n.table;
        for (const QString& lang : languages) {
            QSet<QString> seen;
            for (const QVariantMap& r : rows) {
                const QString id = r.value(QStringLiteral("id")).toString();
                const QString name = data.text(id, lang);
                EXPECT_FALSE(name.trimmed().isEmpty())
                    << n.table << " " << id.toStdString() << " " << lang.toStdString();
                // Two rows of one name could not be told apart in a list.
                EXPECT_FALSE(seen.contains(name)) << n.table << " " << name.toStdString();
                seen.insert(name);
            }
        }
    }
}

TEST_F(ReferenceTextsTest, GermanTextsSpellUmlautsAsUmlauts)
{
    // Transcriptions as the code's names use them must not reach the user.
    static const QRegularExpression transcribed(QStringLiteral(
        R"(Ladegeraet|Kanaele|oesch|aehl|oecht|\bfuer\b|\b[Uu]eber|aet\b|naechst|oesse|\bgeaendert|aender|flaeche|Bestaetig)"));
    const auto texts = data.texts(QStringLiteral("DE"));
    ASSERT_FALSE(texts.isEmpty());
    int withUmlaut = 0;
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        EXPECT_FALSE(transcribed.match(it.value()).hasMatch())
            << it.key().toStdString() << ": " << it.value().toStdString();
        if (it.value().contains(QRegularExpression(QStringLiteral("[äöüÄÖÜß]"))))
            ++withUmlaut;
    }
    EXPECT_GT(withUmlaut, 20);
}
