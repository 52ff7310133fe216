#pragma once
// Guards a text field against what the listing cannot store. Of every text the seller
// types or pastes, the characters CP932 cannot hold are kept out and named, all of them,
// in one message; a field with a capacity stops taking input at it and says so in the
// status bar; a number field takes full-width digits as digits. Texts the program puts
// into a field are shown as they are.

#include "core/text/field_input.h"

class QLineEdit;
class QPlainTextEdit;
class QString;
class QWidget;

namespace hanamori {

class Host;

void GuardCp932Input(QLineEdit* edit, Host& host, FieldInput input = {});
void GuardCp932Input(QPlainTextEdit* edit, Host& host, FieldInput input = {});

// Shows a short note about `field` in the status bar of the main window it belongs to
// (through the dialogs it sits in); as a tool tip at the field when there is none.
void ShowFieldNote(QWidget* field, const QString& note);

} // namespace hanamori
