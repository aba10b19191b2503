// The main window's editing entries of the menu bar.
#pragma once
#include "form/form.h"

namespace kvr {

class EditMenu {
 public:
  explicit EditMenu(TForm& okno)
      : mnUNDO{okno, "mnUNDO", TControlKind::MenuItem, "ZURÜCK"},
        mnCUT{okno, "mnCUT", TControlKind::MenuItem, "SCHNEIDEN"},
        mnCOPY{okno, "mnCOPY", TControlKind::MenuItem, "KOPIE"},
        mnPASTE{okno, "mnPASTE", TControlKind::MenuItem, "EINLEGEN"},
        mnDELETE{okno, "mnDELETE", TControlKind::MenuItem, "LOESCHEN"} {}
  EditMenu(const EditMenu&) = delete;
  EditMenu& operator=(const EditMenu&) = delete;

  TControl mnUNDO;
  TControl mnCUT;
  TControl mnCOPY;
  TControl mnPASTE;
  TControl mnDELETE;
};

}  // namespace kvr
