-- Main database: configuration store and instruction mailbox, service
-- orders, sales packages and products. Column types follow the fields the
-- service-order and conditional queries declare; the query layer checks them.

-- Configuration values, instruction rows and result rows share this table.
-- No key: several rows carry the same instruction id, and the result row is
-- inserted with only these three columns.
CREATE TABLE Config_Geral (
  Campo_Ref              VARCHAR(40),
  Campo_Valor            VARCHAR(250),
  memo_contrato          BLOB SUB_TYPE TEXT
);

CREATE TABLE ordem_servico (
  COD_ORD                INTEGER NOT NULL,
  COD_CLI                INTEGER,
  DATA_ORD               DATE,
  DATA_FEC               DATE,
  DATA_VENC              DATE,
  HORA_ABE               VARCHAR(8),
  PLA_VEI                VARCHAR(10),
  NOM_VEI                VARCHAR(30),
  NRO_SERIE              VARCHAR(30),
  MARCA                  VARCHAR(30),
  QUEM_LEVOU             VARCHAR(30),
  MODELO                 VARCHAR(50),
  KM_VEI                 NUMERIC(18,2),
  KM_FEITA               NUMERIC(18,2),
  FROTA_VEI              VARCHAR(5),
  OBS                    VARCHAR(80),
  DES_SER                BLOB SUB_TYPE TEXT,
  ACESS_ORD              BLOB SUB_TYPE TEXT,
  LAUDO_ORD              BLOB SUB_TYPE TEXT,
  MEMO_FORMA_PAG         BLOB SUB_TYPE TEXT,
  FOTO                   BLOB SUB_TYPE TEXT,
  STATUS_ORD             INTEGER,
  COD_FICHA              VARCHAR(10),
  QUEM_REC               INTEGER,
  QUEM_FEZ               INTEGER,
  QUEM_CON               INTEGER,
  QUEM_RETIROU           VARCHAR(30),
  TOT_PRO                NUMERIC(18,2),
  TOT_SER                NUMERIC(18,2),
  TOT_DIV                NUMERIC(18,2),
  DESC_ACRE              NUMERIC(18,2),
  TOT_ORD                NUMERIC(18,2),
  CONSTRAINT pk_ordem_servico PRIMARY KEY (COD_ORD)
);

-- Product lines of a service order.
CREATE TABLE Itens_Ordem (
  cod_ord                INTEGER NOT NULL,
  nro_item               INTEGER NOT NULL,
  cod_mer                INTEGER,
  compl_merca            VARCHAR(50),
  qtd_ord                NUMERIC(18,3),
  vlr_uni                NUMERIC(18,2),
  sub_total              NUMERIC(18,2),
  CONSTRAINT pk_itens_ordem PRIMARY KEY (cod_ord, nro_item)
);

-- Service (tip_ser 1) and sundry (tip_ser 2) lines of a service order.
CREATE TABLE SERVICO_ORDEM (
  cod_ord                INTEGER NOT NULL,
  nro_item               INTEGER NOT NULL,
  tip_ser                INTEGER,
  des_ser                VARCHAR(100),
  qtd_ser                NUMERIC(18,3),
  Uni_ser                VARCHAR(5),
  vlr_uni                NUMERIC(18,2),
  sub_tot                NUMERIC(18,2),
  CONSTRAINT pk_servico_ordem PRIMARY KEY (cod_ord, nro_item)
);

CREATE TABLE mercadorias (
  cod_red                INTEGER NOT NULL,
  cod_ncm                VARCHAR(10),
  cod_bar                VARCHAR(20),
  nom_mer                VARCHAR(60),
  ape_mer                VARCHAR(30),
  uni_mer                VARCHAR(5),
  REF_MER                VARCHAR(20),
  vlr_ven                NUMERIC(18,2),
  CONSTRAINT pk_mercadorias PRIMARY KEY (cod_red)
);

CREATE TABLE Mecanico (
  Cod_Mec                INTEGER NOT NULL,
  NOM_MEC                VARCHAR(40),
  CONSTRAINT pk_mecanico PRIMARY KEY (Cod_Mec)
);

CREATE TABLE PACOTEVENDA (
  NRO_PACOTE             INTEGER NOT NULL,
  DATA_PCTE              DATE,
  COD_CLI                INTEGER,
  NOM_CLI                VARCHAR(50),
  END_CLI                VARCHAR(50),
  CPF_CLI                VARCHAR(18),
  LINHA_OBS1             VARCHAR(50),
  LINHA_OBS2             VARCHAR(50),
  LINHA_OBS3             VARCHAR(50),
  TRANSP                 VARCHAR(50),
  FORMA_PAG              VARCHAR(15),
  FLAG_PCTE              VARCHAR(10),
  OBS1                   VARCHAR(80),
  OBS2                   VARCHAR(80),
  OPERADOR               VARCHAR(30),
  COD_VEN                INTEGER,
  COM_VEN                NUMERIC(18,4),
  COD_TRA                INTEGER,
  VLR_DES                NUMERIC(18,2),
  VLR_FRETE              NUMERIC(18,2),
  SUB_TOT                NUMERIC(18,2),
  CONSTRAINT pk_pacotevenda PRIMARY KEY (NRO_PACOTE)
);

-- Package lines. COPLEMENTO: complement text in characters 1-48 and a
-- two-character marker in 49-50 ("F6" leaves the short name out).
CREATE TABLE ITENSPACOTE (
  NRO_PACOTE             INTEGER NOT NULL,
  NRO_ITEM               INTEGER NOT NULL,
  DATA_PCTE              DATE,
  COD_CLI                INTEGER,
  COD_VEN                INTEGER,
  COD_MER                INTEGER,
  APE_MER                VARCHAR(30),
  COPLEMENTO             VARCHAR(50),
  GRADE                  VARCHAR(20),
  Id_grade               INTEGER,
  NRO_TAB                INTEGER,
  QTD_PAR                NUMERIC(18,3),
  QTD_VEN                NUMERIC(18,3),
  VLR_UNI                NUMERIC(18,3),
  SUB_TOT                NUMERIC(18,2),
  CONSTRAINT pk_itenspacote PRIMARY KEY (NRO_PACOTE, NRO_ITEM)
);

-- Size and colour variants of a product, each with its own barcode.
CREATE TABLE GRADES_PRODUTOS_P (
  cod_mer                INTEGER NOT NULL,
  id_grade               INTEGER NOT NULL,
  nome_gra               VARCHAR(20),
  cod_bar                VARCHAR(20),
  CONSTRAINT pk_grades_produtos_p PRIMARY KEY (cod_mer, id_grade)
);

CREATE TABLE Transportadores (
  cod_tra                INTEGER NOT NULL,
  nome_tra               VARCHAR(50),
  CONSTRAINT pk_transportadores PRIMARY KEY (cod_tra)
);
