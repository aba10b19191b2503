// The main window's editing entries of the menu bar: undo, cut, copy, paste
// and delete (the same operation as cut, so a deleted block can be pasted),
// with the step clipboard they share; and the tap, which the functions
// window starts.
#pragma once
#include "edit/blocks.h"
#include "form/form.h"

namespace kvr {

struct TKontext;
class TVstup;
class TfWait;

class EditMenu {
 public:
  EditMenu(TForm& okno, TKontext& k, TVstup& vstup, TfWait& cakanie);
  EditMenu(const EditMenu&) = delete;
  EditMenu& operator=(const EditMenu&) = delete;

  TControl mnUNDO;
  TControl mnCUT;
  TControl mnCOPY;
  TControl mnPASTE;
  TControl mnDELETE;

  void mnUNDOClick();
  void mnCOPYClick();
  // Cut and delete.
  void mnCUTClick();
  void mnPASTEClick();
  // Asks for a turn count and splits the windings step from AktKrok on in
  // which the counter passes it. True when a step was split.
  bool Tap();

  const TSchranka& Schranka() const { return schranka_; }

 private:
  // After copy and cut: no block, no marks, the block is the current step.
  void BlokNaAktualnyKrok();

  TKontext& k_;
  TVstup& vstup_;
  TfWait& cakanie_;
  TSchranka schranka_;
};

}  // namespace kvr
