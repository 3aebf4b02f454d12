#pragma once

#include <initializer_list>

class ProgramEditorView;
struct DeviceModeLayout;

// Which controls of the program form are shown: the captions, the blocks a
// device mode shows, the fields of the two battery descriptions, and the
// fields that go with the target capacity and the self-discharge test. It
// keeps nothing of its own; the viewer, which shows a stored program, keeps
// a few fields the editor would hide.
class EditorLayout {
public:
    EditorLayout(ProgramEditorView& view, bool viewer) : m_view(view), m_viewer(viewer) {}

    // The captions of the dialog and its controls.
    void showCaptions();
    void showFields(std::initializer_list<const char*> names, bool visible);
    // What a fresh form hides before the self-discharge check box is cleared.
    void hideProgramFields();
    // And after it.
    void hideSelfDischargeFields();

    // The blocks of a device mode; the end voltages are left to the caller.
    void applyBlocks(const DeviceModeLayout& mode);
    void setChargeBlockVisible(bool b);
    void setDischargeBlockVisible(bool b);
    void setSelfDischargeBlockVisible(bool b);
    void setCycleModeVisible(bool b);
    void setPeriodVisible(bool b);
    // Shown only while the preset voltages describe the battery.
    void setEndVoltagesVisible(bool bLadeschluss, bool bEntladeschluss);

    // The fields of a battery described by its type, or by preset voltages.
    void showBatteryTypeFields();
    void showPresetVoltageFields();
    // The capacity fields and the rate lists, as chkSollKapazitaet stands.
    void showCapacityFields();
    // The self-discharge fields, as chkSelbstentladung stands; the editor
    // starts a shown test on days.
    void showSelfDischargeFields();

private:
    ProgramEditorView& m_view;
    bool m_viewer;
};
