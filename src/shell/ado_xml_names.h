#pragma once
// The namespaces of ADO's XML persistence format.

namespace adoxml {

inline constexpr const char *kNsSchema = "uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882";
inline constexpr const char *kNsDataType = "uuid:C2F41010-65B3-11d1-A29F-00AA00C14882";
inline constexpr const char *kNsRowset = "urn:schemas-microsoft-com:rowset";
inline constexpr const char *kNsRowsetSchema = "#RowsetSchema";

} // namespace adoxml
