-- Rows of the reference database (everything but the texts).
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
  ('DefaultLadestrom', '1000'),
  ('DefaultEntladestrom', '1000'),
  ('DefaultEntladeschlussSpannung', '1000'),
  ('DefaultLadeende', '0'),
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

INSERT INTO Ladegeraete (Geraetebezeichnung, Geraetekuerzel) VALUES
  ('velmoro KZT 1 (one channel)', 'KZT1'),
  ('velmoro KZT 4 (four channels)', 'KZT4'),
  ('velmoro KZT 4 48V (two channels)', 'KZT4 48V'),
  ('velmoro J 4 (four channels)', 'J4'),
  ('velmoro KZT x (describes itself)', 'KZTx');

COMMIT;
