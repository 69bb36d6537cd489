INSERT INTO t VALUES (3, 'open quote;
;)