#pragma once

class TfrmCommon;

// The Options command: creates the Options dialog on the main window, shows it
// modally through the holder and frees it when it closes.
void RunOptionsDialog(TfrmCommon& common);
