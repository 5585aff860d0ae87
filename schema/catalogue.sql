-- The catalogue: sets, their basic cards and their special cards.
-- Declared kinds: TEXT(n) text of at most n characters, SMALLINT a 16-bit whole number,
-- MONEY an amount held as an integer of ten-thousandths, LONGBINARY a file's bytes.
-- Text compares without regard to case, keys included.

CREATE TABLE Sets (
    Code  TEXT(8)  NOT NULL COLLATE NOCASE PRIMARY KEY,
    Desc  TEXT(50) COLLATE NOCASE,
    Cards SMALLINT,
    Value MONEY
);

CREATE TABLE Basics (
    Code     TEXT(8)  COLLATE NOCASE REFERENCES Sets (Code) ON DELETE CASCADE,
    Card_Num SMALLINT,
    Section  TEXT(20) COLLATE NOCASE,
    Desc     TEXT(50) COLLATE NOCASE,
    Value    MONEY,
    Front    LONGBINARY,
    Back     LONGBINARY,
    UNIQUE (Code, Card_Num)
);

CREATE TABLE Specials (
    Code     TEXT(8)  COLLATE NOCASE REFERENCES Sets (Code) ON DELETE CASCADE,
    Type     TEXT(20) COLLATE NOCASE,
    Card_Num SMALLINT,
    Desc     TEXT(50) COLLATE NOCASE,
    Value    MONEY,
    Front    LONGBINARY,
    Back     LONGBINARY
);

-- The set totals read only these two columns.
CREATE INDEX BasicsCodeValue ON Basics (Code, Value);
CREATE INDEX SpecialsCode ON Specials (Code, Value);

CREATE VIEW SpecialCards AS SELECT * FROM Specials;
