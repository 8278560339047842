#pragma once

// The two file panes of the main window: the local computer and the server.
enum class PaneSide { Local, Remote };
