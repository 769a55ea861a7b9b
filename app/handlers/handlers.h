// The program's reactions to its bound events.
#pragma once

namespace app {

// The main window's button was clicked: open the message window in its place.
void button_handler();

// The message window was created: put the message into its label.
void message_window_handler();

}  // namespace app
