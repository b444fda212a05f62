#pragma once
// Texts the printer commands show.

namespace dotforge::msg {

inline constexpr const char* kErrorResponseNotReceived = "Error - Response not received";
inline constexpr const char* kErrorReadAborted = "Error - Read Aborted by User";
inline constexpr const char* kErrorDownloadFailure = "Error - Download Failure";
inline constexpr const char* kErrorFontRefused =
    "Error - Download Failure (the printer may be out of font memory: see Printer Memory)";
inline constexpr const char* kErrorInvalidResponse = "Error - Invalid response";
inline constexpr const char* kErrorInvalidFormatResponse = "Error - invalid format response";
inline constexpr const char* kResponseNotReceived = "Response not received";
inline constexpr const char* kReadAborted = "Read Aborted by User";
inline constexpr const char* kSelectCharacterFirst = "Select Character First !!";
// printf format: the code in hexadecimal.
inline constexpr const char* kNoCharacterWithCode = "The font set has no character %04X";
inline constexpr const char* kErrorCreateTransferThread = "Error - Create Transfer Thread";
inline constexpr const char* kErrorStopTransferThread = "Error - Stop Transfer Thread";
inline constexpr const char* kErrorCreateWorkerThread = "Error - Create Worker Thread";
inline constexpr const char* kErrorLineStalled =
    "Error - The printer is not taking data: nothing could be sent for too long";
inline constexpr const char* kErrorSendFailed = "Error - The data could not be sent to the printer";
inline constexpr const char* kPrinterGone = "The printer is no longer connected";
// printf format: the slot's digit.
inline constexpr const char* kDownloadCancelled =
    "Download cancelled: font slot %c of the printer holds an incomplete font";
inline constexpr const char* kDownloadFinishedBeforeCancel =
    "Download finished before it could be cancelled: the printer holds the whole font";
inline constexpr const char* kDownloadAbandoned =
    "Download stopped in the middle of a command: the printer may need to be switched off and on";
inline constexpr const char* kCellTooLargeToDownload =
    "The cell is too large to download: width and height must be at most 127 dots";

inline constexpr const char* kConfirmErase = "Erase every font downloaded to the printer?";

// Erase dialog status texts.
inline constexpr const char* kPleaseWait = "Please Wait...";
inline constexpr const char* kEraseIsComplete = "Erase is Complete";
inline constexpr const char* kEraseNotConfirmed = "Erase not confirmed by the printer";

}  // namespace dotforge::msg

namespace dotforge::trace {

inline constexpr const char* kTransferWait =
    "Error WaitForMultipleObjects(Transfer Complete Event and Transfer Abort Event)";

}  // namespace dotforge::trace
