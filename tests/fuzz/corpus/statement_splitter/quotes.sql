CREATE TABLE t (a integer, b varchar(20));
INSERT INTO t VALUES (1, 'a;b');INSERT INTO t VALUES (2, 'it''s;');

