-- The schema of the ODBC tests' PostgreSQL user, with views user_tables and col shaped
-- like Oracle's dictionary: lower-case names (PostgreSQL folds the unquoted names of the
-- queries to lower case) and upper-cased values.
CREATE SCHEMA "TAMSEL_TEST";
SET search_path = "TAMSEL_TEST";

CREATE TABLE dept (
    deptno numeric(2) NOT NULL PRIMARY KEY,
    dname  varchar(14),
    loc    varchar(13)
);

CREATE TABLE emp (
    empno    numeric(4) NOT NULL PRIMARY KEY,
    ename    varchar(10),
    hiredate date,
    sal      numeric(7, 2),
    deptno   numeric(2) REFERENCES dept
);

-- Numbers without a precision, as plain NUMBER and INTEGER columns have in Oracle.
CREATE TABLE measures (
    id     integer NOT NULL,
    amount numeric,
    code   char(3)
);

CREATE TABLE "o'neil" (
    id numeric(6) NOT NULL
);

CREATE TABLE "部署" (
    "部署コード" varchar(4) NOT NULL,
    "部署名"     varchar(40)
);

-- text has no width: its WIDTH is NULL, which the retrieval cannot read.
CREATE TABLE notes (
    id   integer,
    body text
);

CREATE VIEW user_tables AS
SELECT upper(c.relname)::varchar(128) AS table_name
FROM pg_class c
JOIN pg_namespace n ON n.oid = c.relnamespace
WHERE n.nspname = current_user AND c.relkind = 'r'
ORDER BY c.oid;

CREATE VIEW col AS
SELECT upper(c.table_name)::varchar(128) AS tname,
       c.ordinal_position::integer AS colno,
       upper(c.column_name)::varchar(128) AS cname,
       (CASE
            WHEN c.data_type IN ('numeric', 'integer', 'smallint', 'bigint') THEN 'NUMBER'
            WHEN c.data_type = 'character varying' THEN 'VARCHAR2'
            WHEN c.data_type = 'character' THEN 'CHAR'
            ELSE upper(c.data_type)
        END)::varchar(128) AS coltype,
       (CASE
            WHEN c.data_type IN ('numeric', 'integer', 'smallint', 'bigint') THEN 22
            WHEN c.data_type = 'date' THEN 7
            ELSE c.character_maximum_length
        END)::integer AS width,
       c.numeric_scale::integer AS scale,
       (CASE WHEN c.data_type = 'numeric' THEN c.numeric_precision END)::integer AS precision,
       (CASE WHEN c.is_nullable = 'YES' THEN 'NULL' ELSE 'NOT NULL' END)::varchar(8) AS nulls
FROM information_schema.columns c
WHERE c.table_schema = current_user;
