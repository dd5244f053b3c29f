PRINT '[TITLE] Test resource'
SELECT 1
£ sign
