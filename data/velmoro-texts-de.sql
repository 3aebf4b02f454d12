-- German texts of the user interface.
BEGIN;
INSERT INTO NLSResources (ResourceID, SprachCode, ResourceText) VALUES
  ('0001', 'DE', 'velmoro Lademanager'),
  ('0002', 'DE', 'Version'),
  ('0003', 'DE', ' '),
  ('0100', 'DE', 'OK'),
  ('0101', 'DE', 'Abbrechen'),
  ('0410', 'DE', 'velmoro'),
  ('0120', 'DE', 'Verbindung zum Ladegerät'),
  ('1090', 'DE', 'Möchten Sie das Programm beenden?'),
  ('3201', 'DE', 'Englisch'),
  ('3202', 'DE', 'Deutsch');
COMMIT;
