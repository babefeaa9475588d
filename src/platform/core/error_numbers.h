#pragma once
// Every error number the program raises, in one place. A failure is raised
// as a platform::Error (error.h): one of these numbers, a description that
// names what failed, and the source. Callers, the central error reporter
// and the tests know a failure by its number, so each number is the one
// the failure has always had: the run-time's own where it has one for the
// failure, Jet's in the data layer, the system's internet errors in the
// network layer, Word's in the document model, the tree control's in the
// site tree.
//
// Each block is in the namespace of the layer that raises its numbers; the
// same number may stand in more than one block, under the name that layer
// gives it.

// The run-time's numbers, raised by the conversions and by the checks and
// calculations that stand in for its own.
namespace vb {

inline constexpr long kErrInvalidProcedureCall = 5; // "Invalid procedure call or argument"
inline constexpr long kErrOverflow = 6;             // "Overflow"
inline constexpr long kErrSubscriptOutOfRange = 9;  // "Subscript out of range"
inline constexpr long kErrDivisionByZero = 11;      // "Division by zero"
inline constexpr long kErrTypeMismatch = 13;        // "Type mismatch"
inline constexpr long kErrFileNotFound = 53;        // "File not found"
inline constexpr long kErrPathFileAccess = 75;      // "Path/File access error"
inline constexpr long kErrObjectNotSet = 91;        // "Object variable or With block variable not set"
inline constexpr long kErrInvalidUseOfNull = 94;    // "Invalid use of Null"
inline constexpr long kErrInvalidFileFormat = 321;  // "Invalid file format"
inline constexpr long kErrNotSupported = 438;       // "Object doesn't support this property or method"

} // namespace vb

// The data layer (tavir_db). Jet's own numbers where Jet has one for the
// same failure, so that callers written against Jet's numbers keep
// working; the description names the file, table or field concerned.
namespace db::err {

inline constexpr long kDatabaseError = 3000;     // any other SQLite failure (its text is quoted)
inline constexpr long kInvalidArgument = 3001;   // bad argument; Find/Filter/Sort text not understood
inline constexpr long kNoCurrentRecord = 3021;   // BOF or EOF, or no row
inline constexpr long kDuplicateKey = 3022;      // UNIQUE / PRIMARY KEY violated
inline constexpr long kFileNotFound = 3024;      // the database file does not exist
inline constexpr long kReadOnly = 3027;          // file, connection or recordset cannot be written
inline constexpr long kNoTransaction = 3034;     // CommitTrans/RollbackTrans without BeginTrans
inline constexpr long kCannotOpen = 3051;        // the file cannot be opened
inline constexpr long kParameterCount = 3061;    // number of parameters does not fit the statement
inline constexpr long kUnknownColumn = 3070;     // a statement names a column that does not exist
inline constexpr long kSyntaxError = 3075;       // SQL the engine cannot parse
inline constexpr long kTableNotFound = 3078;     // no such table
inline constexpr long kInvalidBookmark = 3159;   // bookmark of no row of this recordset
inline constexpr long kFieldTooSmall = 3163;     // text longer than the field's width
inline constexpr long kFieldNotUpdatable = 3164; // AutoNumber or computed field assigned
inline constexpr long kRecordDeleted = 3167;     // the current row has been deleted
inline constexpr long kDuplicateField = 3191;    // a column of that name already exists
inline constexpr long kTargetExists = 3204;      // compaction target already exists
inline constexpr long kLocked = 3218;            // the file is locked by another process
inline constexpr long kInvalidOperation = 3219;  // not allowed in this state (e.g. Close while editing)
inline constexpr long kFieldInIndex = 3280;      // dropping a column that a key or index uses
inline constexpr long kItemNotFound = 3265;      // no field of that name / index out of range
inline constexpr long kNullNotAllowed = 3314;    // Null into a NOT NULL column
inline constexpr long kNotADatabase = 3343;      // the file is not a (readable) SQLite database
inline constexpr long kNumericOverflow = 3349;   // number outside the column's range
inline constexpr long kTypeConversion = 3421;    // value does not convert to the column's type
inline constexpr long kObjectClosed = 3704;      // connection or recordset is not open

} // namespace db::err

// A request (tavir_net): the range the system gives its internet errors
// (12000 and up), far from the program's own numbers and those of the data
// layer.
namespace net {

inline constexpr long kErrTimeOut = 12002;          // not complete within the time-out
inline constexpr long kErrInvalidAddress = 12005;   // not an http or https address
inline constexpr long kErrHostNotFound = 12007;     // the server's name is not known
inline constexpr long kErrCancelled = 12017;        // broken off by the program
inline constexpr long kErrCannotConnect = 12029;    // the server refuses or cannot be reached
inline constexpr long kErrConnectionClosed = 12030; // the connection broke off midway
inline constexpr long kErrHttpStatus = 12152;       // the server answered with an error status
inline constexpr long kErrProxy = 12166;            // the proxy is not set or fails
inline constexpr long kErrTooLarge = 12174;         // more bytes than allowed or expected
inline constexpr long kErrWrongSize = 12175;        // complete, but not the expected size
inline constexpr long kErrNetwork = 12004;          // any other failure of the transfer
// The file a download goes to cannot be written.
inline constexpr long kErrWrite = vb::kErrPathFileAccess;

} // namespace net

// The operating system's errors (tavir_os): an errno value e is reported
// with the number kSystemErrorBase + e, the range of Windows system errors
// wrapped as HRESULT (0x80070000 + code) read as a signed 32-bit number, so
// "no such file" (2) is -2147024894 in both.
namespace os {

inline constexpr long kSystemErrorBase = -2147024896L; // 0x80070000 as a signed 32-bit number
inline constexpr long kSystemErrorRange = 0xFFFF;      // errno values 1..0xFFFF

} // namespace os

// The settings store (tavir_settings): a failed write.
namespace settings {

inline constexpr long kWriteError = vb::kErrPathFileAccess;

} // namespace settings

// The dialogs (tavir_ui): a cancelled common dialog, for callers that treat
// Cancel as an error and trap it by number.
namespace ui {

inline constexpr long kCancelError = 32755;

} // namespace ui

// The document model (tavir_word), Word's numbers.
namespace word {

inline constexpr long kErrNoSuchMember = 5941; // "The requested member of the collection does not exist."
inline constexpr long kErrSaveFailed = 5356;
inline constexpr long kErrBadArgument = vb::kErrInvalidProcedureCall;

} // namespace word

// The site records (tavir_records) and the site tree, with the tree
// control's own numbers.
namespace records {

inline constexpr long kErrInvalidUseOfNull = vb::kErrInvalidUseOfNull; // naming the empty field
inline constexpr long kErrElementNotFound = 35601;                     // "Element not found"
inline constexpr long kErrKeyNotUnique = 35602;                        // "Key is not unique in collection"

} // namespace records

// The calculation (tavir_calc), the numbers it raises itself.
namespace calc {

// A result beyond the single range.
inline constexpr long kErrOverflow = vb::kErrOverflow;
// An interval left empty.
inline constexpr long kErrInvalidUseOfNull = vb::kErrInvalidUseOfNull;
// An option or code the calculation does not know.
inline constexpr long kErrOnbekendeCode = vb::kErrInvalidProcedureCall;
// A value that is no number where one is read.
inline constexpr long kErrTypeMismatch = vb::kErrTypeMismatch;
// A surcharge type other than 0 to 3.
inline constexpr long kErrOnbekendeToeslag = vb::kErrInvalidProcedureCall;

} // namespace calc

// A site export file (tavir_shell's reader of the recordset format).
namespace adoxml {

inline constexpr long kErrOngeldigBestand = vb::kErrInvalidFileFormat; // not a readable recordset

} // namespace adoxml

// The shell's export and import of a site (tavir_shell).
namespace modMain {

inline constexpr long kErrSchrijven = vb::kErrPathFileAccess;         // the export cannot be written
inline constexpr long kErrBestandNietGevonden = vb::kErrFileNotFound; // the import file is missing
inline constexpr long kErrLezen = vb::kErrPathFileAccess;             // the import file cannot be read

} // namespace modMain

namespace frmImExportXML {

inline constexpr long kNietBeschikbaar = vb::kErrNotSupported; // a command the export dialog does not offer

} // namespace frmImExportXML
