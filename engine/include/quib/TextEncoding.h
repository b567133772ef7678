#pragma once

namespace quib {

// How a table keeps its texts, in memory and in its file. Every text at the
// engine's surface is UTF-8 whichever it is.
//
// - Windows1250: single-byte Central European text, the files of version
//   0.1 that every engine reads. A character without a Windows-1250 form
//   cannot be stored (see CQuibCtrl::CanStoreText).
// - Utf8: UTF-8, the files of version 0.2, which engines that know only
//   version 0.1 refuse as too new. Every character can be stored.
enum class TextEncoding { Windows1250, Utf8 };

}  // namespace quib
