#pragma once
// Error numbers of the data layer. Every failure is raised as a
// platform::Error carrying one of these numbers (Jet's own numbers where Jet
// has one for the same failure, so that callers written against Jet's
// numbers keep working) and a Dutch description that names the file, table
// or field concerned.

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
