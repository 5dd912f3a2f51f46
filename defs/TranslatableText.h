#pragma once

// Marks a text that the windows show in the user's language. The text itself stays as written:
// the command-line tool prints it and files hold it. The windows look it up under `context`; the
// translation tools find it by this macro's name, so these tables need nothing of Qt.
#define DAZED_TRANSLATABLE(context, text) text
