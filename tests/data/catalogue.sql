-- A small invented catalogue for the catalogue tests. Every row is here for some case;
-- rows that exist for one test only say so.

-- Dnames (F_ID, got, folder, filename, filenumber, fileexten): one row per disk.
INSERT INTO Dnames VALUES (1, 1, 'Automation', 'AUTO', '12', 'msa');      -- Automation 12
INSERT INTO Dnames VALUES (2, 0, 'Automation', 'AUTO', '120', 'msa');     -- Automation 120
INSERT INTO Dnames VALUES (3, 2, 'Automation', 'AUTO', '130', 'msa');     -- Automation 130, undumped
INSERT INTO Dnames VALUES (4, 0, 'Automatix', 'AMX', '3', 'st');          -- Automatix 3
INSERT INTO Dnames VALUES (1234, 0, 'Deep Thought', 'DT', '4', 'msa');    -- Deep Thought's 4
-- Null got and Null filenumber: matches neither "got <> 0" nor "[got]<> 2".
INSERT INTO Dnames VALUES (6, NULL, 'Medway', 'MB', NULL, 'st');          -- Medway Boys 9
INSERT INTO Dnames VALUES (7, 1, 'Pompey', 'PP', '20', 'msa');            -- Pompey Pirates 20
INSERT INTO Dnames VALUES (8, 0, 'Pompey', 'PP', '20b', 'msa');           -- POMPEY PIRATES 20
-- Counted by the full audit but not visited by it (F_ID >= 25000).
INSERT INTO Dnames VALUES (25001, 1, 'Anarchy', 'ANA', '1', 'st');        -- Anarchy 1

-- Compilations (Nummer, Group, Game, favourite, F_ID): one row per game.
-- Nested group prefixes: "Automation 12" is a prefix of "Automation 120", and
-- "Automatix" shares "Automat".
INSERT INTO Compilations VALUES (1, 'Automation 12', 'Dragon Ninja', 0, 1);
INSERT INTO Compilations VALUES (2, 'Automation 12', 'Dragonfly', -1, 1);
INSERT INTO Compilations VALUES (3, 'Automation 12', 'Knightmare', 0, 1);
INSERT INTO Compilations VALUES (5, 'Automation 120', 'Ninja Warrior', 0, 2);
INSERT INTO Compilations VALUES (6, 'Automation 120', 'kick Off', 0, 2);
INSERT INTO Compilations VALUES (9, 'Automation 130', NULL, 0, 3);
INSERT INTO Compilations VALUES (10, 'Automation 130', 'Klax', 0, 3);
-- The worked name search (Rock'n'Roll, dragon inside a word, "ninja warrior" as whole
-- words, no "demo" inside a word, group Automation, not available): only 7 and 11 match;
-- 4 is available, 8 has "Dragon" as a whole word, 12 has "demo" inside "Demolition".
INSERT INTO Compilations VALUES (4, 'Automation 12', 'Rock''n''Roll Dragonfly Ninja Warrior', 0, 1);
INSERT INTO Compilations VALUES (7, 'Automation 120', 'Rock''n''Roll Dragonfly Ninja Warrior Demo', 0, 2);
INSERT INTO Compilations VALUES (8, 'Automation 120', 'Rock''n''Roll Dragon Ninja Warrior', 0, 2);
INSERT INTO Compilations VALUES (11, 'Automation 130', 'Rock''n''Roll Dragonslayer Ninja Warrior', 0, 3);
INSERT INTO Compilations VALUES (12, 'Automation 130', 'Rock''n''Roll Dragonfly Ninja Warrior Demolition', 0, 3);
-- Entry 15 for "Nummer LIKE '5'", which must find entry 5 only.
INSERT INTO Compilations VALUES (13, 'Automatix 3', 'Demo Maker', 0, 4);
INSERT INTO Compilations VALUES (14, 'Automatix 3', 'Demolition', 0, 4);
INSERT INTO Compilations VALUES (15, 'Automatix 3', 'Teenage Ninjas', 0, 4);
INSERT INTO Compilations VALUES (27, 'Automatix 3', 'Kid Gloves', 0, 4);
INSERT INTO Compilations VALUES (16, 'Deep Thought''s 4', 'Rock''n''Roll Racer', -1, 1234);
INSERT INTO Compilations VALUES (17, 'Deep Thought''s 4', '1943', 0, 1234);
INSERT INTO Compilations VALUES (18, 'Deep Thought''s 4', '3D Pool', 0, 1234);
-- An empty title, and an accented one for case folding beyond ASCII.
INSERT INTO Compilations VALUES (19, 'Medway Boys 9', '', 0, 6);
INSERT INTO Compilations VALUES (20, 'Medway Boys 9', 'Élite', 0, 6);
-- Two disk titles and two game titles that differ only in case; the entry numbers
-- interleave the two disks, so an order that treats them as equal can mix them.
INSERT INTO Compilations VALUES (21, 'Pompey Pirates 20', 'Xenon', 0, 7);
INSERT INTO Compilations VALUES (22, 'POMPEY PIRATES 20', 'XENON', 0, 8);
INSERT INTO Compilations VALUES (23, 'Pompey Pirates 20', '100% Dynamite', 0, 7);
INSERT INTO Compilations VALUES (24, 'POMPEY PIRATES 20', '2 Hot 2 Handle', 0, 8);
-- A disk whose title sorts first while its entry number does not.
INSERT INTO Compilations VALUES (25, 'Anarchy 1', '4x4 Off-Road Racing', 0, 25001);
-- No Dnames row: left out of every join.
INSERT INTO Compilations VALUES (26, 'Lost Boys 1', '9 Lives', 0, 99);
-- Above the group browse's bound of 100000.
INSERT INTO Compilations VALUES (100001, 'Automation 12', 'Bonus Disk Menu', 0, 1);
