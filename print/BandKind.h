#pragma once

// The kinds of band a report is built of. On the first page the page header comes first and
// the title directly below it, as the two-part receipt relies on.
enum class BandKind { PageHeader, Title, Detail, SubDetail, Summary };
