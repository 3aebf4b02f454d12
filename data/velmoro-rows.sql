-- Rows of the reference database: settings, languages and charger models.
-- Battery types, device modes, limits and diagram steps are in
-- velmoro-program-tables.sql, the texts in velmoro-texts-*.sql.
BEGIN;

-- Settings. Every key the program reads or writes must exist here: the
-- program never creates one.
INSERT INTO Optionen ("key", "value") VALUES
  ('UsedCharger', 'KZT4'),
  ('UsedLanguage', 'EN'),
  ('FirstStartup', 'YES'),
  ('ChargerSelfInfo', 'NO'),
  ('ComPort', '1'),
  ('KZTxChannelCount', '1'),
  ('Akku1Visible', 'YES'),
  ('Akku2Visible', 'YES'),
  ('Akku3Visible', 'YES'),
  ('Akku4Visible', 'YES'),
  ('KZT1ExtensionAvailable', 'NO'),
  ('KZT4ExtensionAvailable', 'YES'),
  ('KZT448VExtensionAvailable', 'NO'),
  ('KZTxExtensionAvailable', 'NO'),
  ('ProgramExtensionAvaiable', 'NO'),
  ('ProgramExtensionType', '1'),
  ('SendAllVisible', 'YES'),
  -- Replace a charge current, discharge current or discharge-end voltage of
  -- 0 in a program (mA, mA, mV); they lie within every model's limits.
  ('DefaultLadestrom', '1000'),
  ('DefaultEntladestrom', '1000'),
  ('DefaultEntladeschlussSpannung', '1000'),
  -- Charge end of a new program in tenths of the shown value: 10 % end current.
  ('DefaultLadeende', '100'),
  ('ChargerTextTop', ''),
  ('MaxAkkuBemerkung', '200'),
  ('MaxMessBemerkung', '200'),
  ('PrintingLook', '1'),
  ('PrintingSubTitle', ''),
  ('HeadArea', '2'),
  ('PrintDate', 'YES'),
  ('MinMaxSpannungVisible', 'NO'),
  ('MinMaxStromVisible', 'NO'),
  ('MinMaxKapazitaetVisible', 'NO'),
  ('xGridVisible', 'YES'),
  ('yGridVisible', 'YES');

INSERT INTO Sprachen (SprachCode, SprachResID, Usable) VALUES
  ('EN', '3201', 1),
  ('DE', '3202', 1);

-- Shown in the charger-model dialog as they stand in every language.
INSERT INTO Ladegeraete (Geraetebezeichnung, Geraetekuerzel) VALUES
  ('velmoro KZT 1', 'KZT1'),
  ('velmoro KZT 4', 'KZT4'),
  ('velmoro KZT 4 48V', 'KZT4 48V'),
  ('velmoro J 4', 'J4'),
  ('velmoro KZTx', 'KZTx');

COMMIT;
