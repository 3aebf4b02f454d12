#include "mainwindow/MainFormControls.h"

namespace {
using E = MainMenuEntry;

const MainMenuEntry kMenu[] = {
    {"mnuDatei", nullptr, E::Menu, "1000", true},
    {"mnuDateiImport", "mnuDatei", E::Menu, "1002", false},
    {"mnuDateiImportVelmoro10", "mnuDateiImport", E::Item, "1004", true},
    {"mnuDateiImportVelmoro20", "mnuDateiImport", E::Item, "1006", true},
    {"mnuDateiExport", "mnuDatei", E::Item, "1008", false},
    {"mnuDateiSeperator1", "mnuDatei", E::Separator, nullptr, false},
    {"mnuDateiFormatPage", "mnuDatei", E::Item, "1010", false},
    {"mnuDateiConfigurePrinter", "mnuDatei", E::Item, "1012", true},
    {"mnuDateiPrint", "mnuDatei", E::Item, "1014", true},
    {"mnuDateiSeperator2", "mnuDatei", E::Separator, nullptr, true},
    {"mnuDateiBeenden", "mnuDatei", E::Item, "1016", true},

    {"mnuBearbeiten", nullptr, E::Menu, "1020", true},
    {"mnuBearbeitenMesswerteVerwalten", "mnuBearbeiten", E::Item, "1022", true},
    {"mnuBearbeitenSeperator1", "mnuBearbeiten", E::Separator, nullptr, true},
    {"mnuBearbeitenInfoDiagramm", "mnuBearbeiten", E::Item, "1024", true},
    {"mnuBearbeitenSeperator2", "mnuBearbeiten", E::Separator, nullptr, true},
    {"mnuBearbeitenDBKomprimieren", "mnuBearbeiten", E::Item, "1026", true},

    {"mnuEinstellungen", nullptr, E::Menu, "1040", true},
    {"mnuEinstellungenKanaele", "mnuEinstellungen", E::Menu, "1042", true},
    {"mnuEinstellungenKanaeleKanal1", "mnuEinstellungenKanaele", E::Item, "1044", true},
    {"mnuEinstellungenKanaeleKanal2", "mnuEinstellungenKanaele", E::Item, "1046", true},
    {"mnuEinstellungenKanaeleKanal3", "mnuEinstellungenKanaele", E::Item, "1048", true},
    {"mnuEinstellungenKanaeleKanal4", "mnuEinstellungenKanaele", E::Item, "1050", true},
    {"mnuEinstellungenSeperator1", "mnuEinstellungen", E::Separator, nullptr, true},
    {"mnuEinstellungenCOMPort", "mnuEinstellungen", E::Item, "1052", true},
    {"mnuEinstellungenSeperator2", "mnuEinstellungen", E::Separator, nullptr, true},
    {"mnuEinstellungenSprache", "mnuEinstellungen", E::Item, "1054", true},
    {"mnuEinstellungenSep5", "mnuEinstellungen", E::Separator, nullptr, true},
    {"mnuEinstellungenLadegeraet", "mnuEinstellungen", E::Item, "1055", true},
    {"mnuEinstellungenSep", "mnuEinstellungen", E::Separator, nullptr, true},
    {"mnuEinstellungenOptionen", "mnuEinstellungen", E::Item, "1056", true},
    {"mnuEinstellungenSep6", "mnuEinstellungen", E::Separator, nullptr, true},
    {"mnuPrintsettings", "mnuEinstellungen", E::Item, "9020", true},

    {"mnuFenster", nullptr, E::Menu, "1060", true},
    {"mnuFensterUeberlappend", "mnuFenster", E::Item, "1062", true},
    {"mnuFensterUebereinander", "mnuFenster", E::Item, "1064", true},
    {"mnuFensterNebeneinander", "mnuFenster", E::Item, "1066", true},
    {"mnuFensterSymboleAnordnen", "mnuFenster", E::Item, "1068", true},
    {"mnuFensterAlleFensterVerkleinern", "mnuFenster", E::Item, "1070", false},

    {"mnuHelp", nullptr, E::Menu, "1080", true},
    {"mnuHelpInhalt", "mnuHelp", E::Item, "1082", true},
    {"mnuHelpIndex", "mnuHelp", E::Item, "1084", false},
    {"mnuHelpWeb", "mnuHelp", E::Item, "1086", false},
    {"mnuSeperatorHelp1", "mnuHelp", E::Separator, nullptr, false},
    {"mnuHelpInfo", "mnuHelp", E::Item, "1088", true},
};

QStringList buildNames()
{
    QStringList names{QStringLiteral("frmMDIMainForm"), QStringLiteral("mdiArea"), QStringLiteral("stbFirstStatusbar")};
    for (const MainMenuEntry& e : kMenu)
        names << QString::fromLatin1(e.name);
    for (int n = 1; n <= 4; ++n)
        names << channelLabelPanelName(n) << channelTextPanelName(n);
    return names;
}
} // namespace

std::span<const MainMenuEntry> mainMenuEntries()
{
    return kMenu;
}

QStringList mainFormControlNames()
{
    static const QStringList names = buildNames();
    return names;
}

QString channelMenuItemName(int channel)
{
    return QStringLiteral("mnuEinstellungenKanaeleKanal") + QString::number(channel);
}

QString channelLabelPanelName(int channel)
{
    return QStringLiteral("Kanal") + QString::number(channel) + QStringLiteral("Label");
}

QString channelTextPanelName(int channel)
{
    return QStringLiteral("Kanal") + QString::number(channel) + QStringLiteral("Text");
}
