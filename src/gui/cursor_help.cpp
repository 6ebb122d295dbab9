#include "gui/cursor_help.h"

#include <QWidget>

namespace mq::gui {

namespace {

struct CursorHelp {
  const char* control;
  const char* text;
};

#define PRODUCT "Marquill400"

constexpr CursorHelp kMainHelp[] = {
    {"Bin",
     "Suplimentary Binary files needed by the Winner90 compiler are created for all selected files after "
     "processing."},
    {"EraseBtn", "Erases selected DXF files from directory."},
    {"Start", "Start conversion process on selected files."},
    {"CmdDF", "Hide or expose Default Settings Section."},
    {"EX1", "Save all settings and exit program."},
    {"StatusFrame", "Process Status Bar"},
    {"MetIn", "Change Default Settings values between Inch and Metric."},
    {"FlgLL",
     "Turn on Leadin and Leadout Synthesis. Leads will be created for routes that follow rules for Lead "
     "Synthesis"},
    {"FlgRI", "Enable Z Ramping down on Leadins."},
    {"FlgRO", "Enable Z Ramping up on Leadouts."},
    {"LLen", "Set default lead lengths. Used if not specified in drawing."},
    {"RHt", "Set default distance above part to begin and end ramping on leads."},
    {"FlgRBR",
     "Remove the unwanted route path left on the perimeter of the part by some cabinet design programs."},
    {"FlgCC",
     "Move the start point of a closed polyline cutout from the corner of the cutout to the midpoint of the "
     "first line segment."},
    {"OSX",
     "Invokes the OFFSET command at the beginning of the program to offset the pattern this distance from "
     "the "
     "origin in X."},
    {"OSY",
     "Invokes the OFFSET command at the beginning of the program to offset the pattern this distance from "
     "the "
     "origin in Y."},
    {"OSZ",
     "Invokes the OFFSET command at the beginning of the program to offset the pattern this distance in Z."},
    {"SetB", "Enter Setup for selecting various options."},
    {"TSetB", "For setting tool number Substitution."},
    {"PrcM",
     "Set the number of decimal places used in program co-ordinate values for programs that are in Metric."},
    {"PrcI",
     "Set the number of decimal places used in program co-ordinate values for programs that are in Inches."},
};

constexpr CursorHelp kSetupHelp[] = {
    {"DXFPath", "Path to where DXF files are to be found. Also, location of MQ.PNX List File."},
    {"GCodePath",
     "Path that points to INDEX.IND if G Code files are to be put into the Directory System or location "
     "where "
     "they are to be placed if they are not."},
    {"SPB1", "Brings up path browser"},
    {"SPB2", "Brings up path browser"},
    {"FlgDDS",
     "Selects whether G Code will be placed into PTP400 directory system or at location specified in G Code "
     "Path."},
    {"AS1",
     "If this button is selected " PRODUCT
     " will automatically start when TEMP.DXF appears in the specified DXF subdirectory.  The file will be "
     "processed and TEMP.DXF will be deleted."},
    {"AS2",
     "If this button is selected " PRODUCT
     " will automatically start when the file BATCH.LST appears in the specified DXF subdirectory.  The "
     "DXF files whose names are contained in this file will be processed and Batch.LST will be deleted."},
    {"AS0", "If this button is selected " PRODUCT " will not autostart."},
    {"GAAP",
     "This will cause " PRODUCT
     " to start the Graphic Editor after the AutoStarted conversion is completed.  The part will then be "
     "displayed in the Graphic Editor."},
    {"GAMP",
     "This will cause " PRODUCT
     " to start the Graphic Editor after the Manually Started conversion is completed.  The part will "
     "then be displayed in the Graphic Editor."},
    {"PFM", "Checking this box will cause " PRODUCT
            " to pause after the conversion to allow the reading of the process messages before the Graphic "
            "Editor displays the part."},
    {"PrefOK", "Saves the changes and closes Setup."},
    {"PrefCan", "Closes Setup without saving changes."},
    {"Tips", "Enables / Disables this Cursor Help."},
    {"SawKerf", "The default saw kerf used if none specified in the drawing."},
    {"SLim",
     "Large drawings are broken up into multiple progams, this sets the max number of lines for each "
     "resulting "
     "progam."},
    {"RadLim",
     "Arcs with a radius greater than this will be changed to a straight line. This value is Metric only."},
    {"SLInch", "Set for the Inch version of Masterwood."},
    {"PTSPath",
     "This path defines the default location where the .PTS file is placed. The path can also be determined "
     "from the drawing."},
    {"PTSName", "This is the .PTS filename that will be used if none is specified in the drawing."},
    {"PTSUnitFrame",
     "This sets the units that will be used in the dimension fields of the .PTS file. It must match "
     "Sawvant."},
};

#undef PRODUCT

template <std::size_t N>
void Apply(QWidget* root, const CursorHelp (&table)[N], bool enabled) {
  for (const CursorHelp& help : table) {
    const QString name = QString::fromLatin1(help.control);
    QWidget* control = root->objectName() == name ? root : root->findChild<QWidget*>(name);
    if (control != nullptr) control->setToolTip(enabled ? QString::fromLatin1(help.text) : QString());
  }
}

}  // namespace

void ApplyMainCursorHelp(QWidget* window, bool enabled) { Apply(window, kMainHelp, enabled); }

void ApplySetupCursorHelp(QWidget* dialog, bool enabled) { Apply(dialog, kSetupHelp, enabled); }

}  // namespace mq::gui
