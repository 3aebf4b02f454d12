-- English texts of the user interface.
BEGIN;
INSERT INTO NLSResources (ResourceID, SprachCode, ResourceText) VALUES
  ('0001', 'EN', 'velmoro Charge Manager'),
  ('0002', 'EN', 'Version'),
  ('0003', 'EN', ' '),
  ('0100', 'EN', 'OK'),
  ('0101', 'EN', 'Cancel'),
  ('0410', 'EN', 'velmoro'),
  ('0120', 'EN', 'Charger link'),
  ('1090', 'EN', 'Do you want to quit the program?'),
  ('3201', 'EN', 'English'),
  ('3202', 'EN', 'German');
COMMIT;
