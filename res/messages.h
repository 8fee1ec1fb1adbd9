// The program's three messages to the user, in one place for both programs: the dialog
// shows them in message boxes, JreSelectCli prints them on stderr.
#pragma once

const char kCannotLocateMessage[] = "Cannot locate Quillfern software!";
const char kInitUiFailedMessage[] = "Unable to initialize UI!";
const char kApplyFailedMessage[] = "Unable to apply changes!";
