-- Rows the charge-program editor, the channel windows and the diagram window
-- read: battery types, device modes, forming choices, value limits per charger
-- model and the sampling steps of diagrams. Names are resource identifiers
-- whose texts are in velmoro-texts-*.sql.
--
-- Every number here ends up in a fixed-width field of the program string
-- (Z 2 digits; V, D, L, E, K 5 digits in milli-units; P, Y 3 digits; W 2
-- digits; N 3 digits in tenths), so no limit may allow a value the charger
-- would read back cut off.
BEGIN;

-- Battery types. Nr is the program's battery type (A); 5 stands for preset
-- end voltages and has no row. Cell counts per model are chosen so that the
-- largest pack still charges within the model's end-voltage limit ("05").
INSERT INTO Akkutypen (Nr, Nennspannung, SprachId, Usable,
                       ZminKZT1, ZmaxKZT1, ZminKZT4, ZmaxKZT4, ZminKZT448V, ZmaxKZT448V,
                       ZminJ4, ZmaxJ4, ZminKZTx, ZmaxKZTx) VALUES
  (1, 1.2, '3001', 1,   1, 24,   1, 20,   1, 36,   1, 16,   1, 20),   -- NiCd
  (2, 1.2, '3002', 1,   1, 24,   1, 20,   1, 36,   1, 16,   1, 20),   -- NiMH
  (3, 3.6, '3003', 1,   1,  7,   1,  6,   1, 12,   1,  4,   1,  6),   -- Li-ion
  (4, 2.0, '3004', 1,   1, 12,   1, 12,   1, 24,   1,  8,   1, 12);   -- lead-acid

-- Device modes. ModusNr is the program's mode (M) as text without leading
-- zeros. The flags choose the editor's fields: charge current (LBlock),
-- discharge current (EBlock), self-discharge test (TSel), forming / cycle
-- choice (FormCbo), period in days (TageText), and which preset end voltages
-- the mode needs (Ladeschluss, Entladeschluss).
-- In mode 6 (storage) the charger charges, then waits ("SW") until the next
-- refresh after the period; a recording ends when it starts waiting.
INSERT INTO GeraeteModi (ModusNr, LBlock, EBlock, TSel, FormCbo, TageText,
                         Ladeschluss, Entladeschluss, SprachId) VALUES
  ('1', 1, 0, 0, 0, 0, 1, 0, '3101'),   -- charge
  ('2', 0, 1, 0, 0, 0, 0, 1, '3102'),   -- discharge
  ('3', 1, 1, 0, 0, 0, 1, 1, '3103'),   -- discharge, then charge
  ('4', 1, 1, 0, 1, 0, 1, 1, '3104'),   -- cycle: discharge and charge n times
  ('5', 1, 1, 0, 1, 0, 1, 1, '3105'),   -- conditioning (forming) of new or stored batteries
  ('6', 1, 1, 0, 0, 1, 1, 1, '3106'),   -- storage: keep charged, refresh every period
  ('7', 1, 1, 1, 0, 0, 1, 1, '3107');   -- self-discharge test

-- Number of cycles for the cycle and conditioning modes (F). The first row is
-- the list's default: the charger repeats until the capacity stops rising.
-- Modus is shown as it stands in every language.
INSERT INTO FormierModi (ID, Modus, SendeCode) VALUES
  (1, 'Auto', '0'),
  (2, '1 ×', '1'),
  (3, '2 ×', '2'),
  (4, '3 ×', '3'),
  (5, '4 ×', '4'),
  (6, '5 ×', '5');

-- Input limits per charger model, in the units the editor shows. The limits
-- of "KZTx" are overwritten by the charger's own description once it has
-- been read; until then they are those of "KZT4".
INSERT INTO MinMaxWerte (Bez, Kommentar,
                         MinKzt1, MaxKzt1, MinKzt4, MaxKzt4, MinKzt448V, MaxKzt448V,
                         MinJ4, MaxJ4, MinKztx, MaxKztx) VALUES
  ('05', 'charge-end and discharge-end voltage, V',
         0.5, 40,     0.5, 32,     0.5, 60,     0.5, 25,     0.5, 32),
  ('L',  'charge current, A',
         0.05, 5,     0.05, 4,     0.05, 8,     0.05, 2,     0.05, 4),
  ('E',  'discharge current, A',
         0.05, 3,     0.05, 2,     0.05, 4,     0.05, 1,     0.05, 2),
  ('K',  'nominal capacity, Ah',
         0.05, 60,    0.05, 60,    0.05, 99,    0.05, 30,    0.05, 60),
  ('P',  'charge to this percentage of the nominal capacity, %',
         10, 150,     10, 150,     10, 150,     10, 150,     10, 150),
  ('W',  'period of the storage mode, days',
         1, 99,       1, 99,       1, 99,       1, 60,       1, 99),
  ('YH', 'self-discharge test period, hours',
         1, 720,      1, 720,      1, 720,      1, 720,      1, 720),
  ('YD', 'self-discharge test period, days',
         1, 180,      1, 180,      1, 180,      1, 90,       1, 180),
  ('N',  'end current of the extended options, % of the charge current',
         1, 50,       1, 50,       1, 50,       1, 50,       1, 50);

-- Diagram sampling: the first row (by ID) whose threshold is at most the
-- number of values gives the step (every n-th value is drawn). Each step
-- covers the counts up to 10,000 times itself, so a curve never has more than
-- 10,000 points up to 20 million values, and the chart's row count stays
-- within 32767 up to 65 million values.
INSERT INTO DiagramPoints (ID, Schwellwert, xteWert) VALUES
  (1, 15000001, 2000),
  (2, 12000001, 1500),
  (3, 10000001, 1200),
  (4, 8000001, 1000),
  (5, 6000001, 800),
  (6, 5000001, 600),
  (7, 4000001, 500),
  (8, 3000001, 400),
  (9, 2500001, 300),
  (10, 2000001, 250),
  (11, 1500001, 200),
  (12, 1200001, 150),
  (13, 1000001, 120),
  (14, 800001, 100),
  (15, 600001, 80),
  (16, 500001, 60),
  (17, 400001, 50),
  (18, 300001, 40),
  (19, 250001, 30),
  (20, 200001, 25),
  (21, 150001, 20),
  (22, 120001, 15),
  (23, 100001, 12),
  (24, 80001, 10),
  (25, 60001, 8),
  (26, 50001, 6),
  (27, 40001, 5),
  (28, 30001, 4),
  (29, 20001, 3),
  (30, 10001, 2),
  (31, 0, 1);

COMMIT;
